#include "platform/posix/SafeLinks.h"

#include "core/Text.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <vector>

namespace posix {

namespace {
void pushComponents(std::deque<std::string>& rest, const std::string& path)
{
    const auto parts = text::splitFields(path, '/');
    rest.insert(rest.begin(), parts.begin(), parts.end());
}

// Whether the kernel's protection lets this user follow the link `link`
// (lstat'ed as `st`) in the folder `folder`.
bool mayFollow(const std::string& folder, const struct stat& link)
{
    struct stat dir;
    if (::stat(folder.c_str(), &dir) != 0)
        return false;
    // The kernel asks only of sticky world-writable folders; a folder that a
    // group may write allows the same swap, so it is asked there too.
    const bool othersMayWrite = (dir.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return !othersMayWrite || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}
}  // namespace

int followLinksSafely(std::string& path, std::string& reason)
{
    // A relative path (the current folder's name could not be had) is left
    // to the kernel, which knows where it starts.
    if (path.empty() || path[0] != '/')
        return 0;
    std::deque<std::string> rest;
    pushComponents(rest, path);
    std::string done;  // the part taken so far, free of links; "" is the root
    int hops = 0;
    while (!rest.empty()) {
        const std::string part = rest.front();
        rest.pop_front();
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            // `done` holds no link, so its parent is its text's parent.
            done = done.substr(0, done.rfind('/') == std::string::npos ? 0 : done.rfind('/'));
            continue;
        }
        const std::string folder = done.empty() ? "/" : done;
        const std::string candidate = done + "/" + part;
        struct stat st;
        if (::lstat(candidate.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            done = candidate;
            continue;
        }
        if (++hops > 40) {
            reason = "it leads through too many symbolic links";
            return ELOOP;
        }
        if (!mayFollow(folder, st)) {
            reason = "\"" + candidate + "\" is a symbolic link that another user (" + std::to_string(st.st_uid) +
                     ") made in a folder others may write, so it is not followed";
            return EACCES;
        }
        std::vector<char> target(std::size_t(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(candidate.c_str(), target.data(), target.size());
        if (n < 0)
            return errno;
        const std::string to(target.data(), std::size_t(n));
        pushComponents(rest, to);
        if (!to.empty() && to[0] == '/')
            done.clear();
    }
    path = done.empty() ? "/" : done;
    return 0;
}

}  // namespace posix
