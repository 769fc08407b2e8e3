#include "platform/posix/Paths.h"

#include "settings/SettingsLines.h"

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
    std::size_t pos = 0;
    while (pos <= p.size()) {
        auto next = p.find('/', pos);
        if (next == std::string::npos)
            next = p.size();
        const std::string part = p.substr(pos, next - pos);
        pos = next + 1;
        if (part.empty() || part == ".")
            continue;
        std::string candidate = result == "/" ? "/" + part : result + "/" + part;
        if (part != ".." && !exists(candidate)) {
            if (DIR* dir = ::opendir(result.c_str())) {
                const std::string folded = settings::upperAscii(part);
                while (dirent* entry = ::readdir(dir)) {
                    if (settings::upperAscii(entry->d_name) == folded) {
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
    switch (error) {
    case ENOENT:
        return "File not found";
    case ENOTDIR:
        return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    default:
        return "I/O error " + std::to_string(error);
    }
}

}  // namespace posix
