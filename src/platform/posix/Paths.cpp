#include "platform/posix/Paths.h"

#include "core/Errors.h"
#include "core/Text.h"

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace posix {

bool exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::string directoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string resolvePath(const std::string& path, const std::string& base)
{
    std::string p = path;
    for (char& c : p)
        if (c == '\\')
            c = '/';
    std::string result = (!p.empty() && p[0] == '/') ? "/" : base;
    for (const std::string& part : text::splitFields(p, '/')) {
        if (part.empty() || part == ".")
            continue;
        std::string candidate = result == "/" ? "/" + part : result + "/" + part;
        if (part != ".." && !exists(candidate)) {
            if (DIR* dir = ::opendir(result.c_str())) {
                const std::string folded = text::upperAscii(part);
                while (dirent* entry = ::readdir(dir)) {
                    if (text::upperAscii(entry->d_name) == folded) {
                        candidate = (result == "/" ? "/" : result + "/") + entry->d_name;
                        break;
                    }
                }
                ::closedir(dir);
            }
        }
        result = candidate;
    }
    return result;
}

std::string ioErrorText(int error)
{
    using errors::Io;
    switch (error) {
    case ENOENT:
        return errors::ioText(Io::FileNotFound);
    case ENOTDIR:
        return errors::ioText(Io::PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return errors::ioText(Io::AccessDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return errors::ioText(Io::DiskFull);
    case EMFILE:
    case ENFILE:
        return errors::ioText(Io::TooManyOpenFiles);
    default:
        return errors::ioText(long(error));
    }
}

}  // namespace posix
