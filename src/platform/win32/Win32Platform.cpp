#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Calls.h"

#include <vector>

namespace win32 {

std::string ioErrorText(unsigned long error)
{
    using errors::Io;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return errors::ioText(Io::FileNotFound);
    case ERROR_PATH_NOT_FOUND:
        return errors::ioText(Io::PathNotFound);
    case ERROR_TOO_MANY_OPEN_FILES:
        return errors::ioText(Io::TooManyOpenFiles);
    case ERROR_ACCESS_DENIED:
        return errors::ioText(Io::AccessDenied);
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return errors::ioText(Io::DiskFull);
    default:
        return errors::ioText(long(error));
    }
}

std::string Win32Platform::currentDirectory()
{
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryA(DWORD(buffer.size()), buffer.data());
        if (length == 0)
            return ".";
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);  // it grew in between: the length asked for includes the zero
    }
}

void Win32Platform::setCurrentDirectory(const std::string& path)
{
    if (::SetCurrentDirectoryA(path.c_str()))
        return;
    unsigned long error = lastError();
    // Windows says "file not found" for a missing folder and "invalid
    // directory name" for a file; either way the path leads nowhere.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_DIRECTORY)
        error = ERROR_PATH_NOT_FOUND;
    throw LauncherError(ioErrorText(error));
}

void Win32Platform::quit()
{
    if (quit_)
        quit_();
    else
        ::PostQuitMessage(0);
}

}  // namespace win32
