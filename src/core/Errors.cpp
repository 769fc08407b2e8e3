#include "core/Errors.h"

namespace errors {

LauncherError cannotOpenFile(std::string_view path) { return LauncherError("Cannot open file " + std::string(path)); }

LauncherError cannotCreateFile(std::string_view path)
{
    return LauncherError("Cannot create file " + std::string(path));
}

LauncherError notAnInteger(std::string_view text)
{
    return LauncherError("'" + std::string(text) + "' is not a valid integer value");
}

std::string ioText(Io error)
{
    switch (error) {
    case Io::FileNotFound: return "File not found";
    case Io::PathNotFound: return "Path not found";
    case Io::TooManyOpenFiles: return "Too many open files";
    case Io::AccessDenied: return "File access denied";
    case Io::DiskFull: return "Disk full";
    }
    return {};
}

std::string ioText(long code) { return "I/O error " + std::to_string(code); }

LauncherError cannotStart(std::string_view commandLine, std::string_view reason)
{
    return LauncherError("Cannot start " + std::string(commandLine) + ": " + std::string(reason));
}

}  // namespace errors
