#include "platform/posix/OwnFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>
#include <vector>

namespace posix {

namespace {
std::string home()
{
    const char* variable = std::getenv("HOME");
    if (variable && variable[0] == '/')
        return variable;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

// Makes `folder` and the folders above it, each new one open only to the
// player. Returns 0 or an errno.
int makeFolders(const std::string& folder)
{
    for (std::size_t slash = 1;; ++slash) {
        slash = folder.find('/', slash);
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (slash == std::string::npos)
            return 0;
    }
}

std::string because(const std::string& folder, int error)
{
    return "\"" + folder + "\" (" + std::generic_category().message(error) + ")";
}
}  // namespace

std::string ownFolder(std::string& problem, bool make)
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string base = cache && cache[0] == '/' ? std::string(cache) : home();
    if (!base.empty() && !(cache && cache[0] == '/'))
        base += "/.cache";
    if (!base.empty()) {
        const std::string folder = base + "/vornhale";
        struct stat st;
        int error = make ? makeFolders(folder) : 0;
        if (!error && (::stat(folder.c_str(), &st) != 0 || ::access(folder.c_str(), W_OK | X_OK) != 0))
            error = errno;
        else if (!error && (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()))
            error = S_ISDIR(st.st_mode) ? EPERM : ENOTDIR;
        if (!error)
            return folder;
        problem = because(folder, error);
    }
    // In a folder everyone may write, only a folder the player made and
    // others cannot enter is taken: anyone could have made the name first.
    const std::string fallback = "/tmp/vornhale-" + std::to_string(::geteuid());
    struct stat st;
    int error = make && ::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST ? errno : 0;
    if (!error && ::lstat(fallback.c_str(), &st) != 0)
        error = errno;
    else if (!error && (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0))
        error = S_ISDIR(st.st_mode) ? EPERM : ENOTDIR;
    if (!error)
        return fallback;
    problem += (problem.empty() ? "" : " or ") + because(fallback, error);
    return {};
}

}  // namespace posix
