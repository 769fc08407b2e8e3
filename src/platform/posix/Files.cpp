#include "platform/posix/Files.h"

#include "platform/posix/Paths.h"
#include "platform/posix/PosixPlatform.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace posix {

int replaceFileAtomically(const std::string& target, const std::string& bytes)
{
    struct stat st;
    mode_t mode = 0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }();
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        // A file the user made read-only stays as it is, even for root.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return EACCES;
        mode = st.st_mode & 07777;
    }
    const std::string dir = directoryOf(target);
    struct stat dirStat;
    if (::stat(dir.c_str(), &dirStat) != 0)
        return errno == ENOENT ? ENOTDIR : errno;

    std::string temp = target + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return errno;
    temp.assign(name.data());
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return error;
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        written += std::size_t(n);
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    return 0;
}

bool PosixPlatform::fileExists(const std::string& path)
{
    struct stat st;
    return ::stat(resolve(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string PosixPlatform::readFile(const std::string& path)
{
    const int fd = ::open(resolve(path).c_str(), O_RDONLY);
    if (fd < 0)
        throw LauncherError("Cannot open file " + path);
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            throw LauncherError("Cannot open file " + path);
        }
        if (n == 0)
            break;
        content.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return content;
}

void PosixPlatform::writeFile(const std::string& path, const std::string& bytes)
{
    if (replaceFileAtomically(resolve(path), bytes) != 0)
        throw LauncherError("Cannot create file " + path);
}

void PosixPlatform::writeDataFile(const std::string& path, const std::string& bytes)
{
    const std::string target = resolve(path);
    if (const int error = replaceFileAtomically(target, bytes)) {
        // A missing directory is "Path not found", as the runtime says it.
        throw LauncherError(ioErrorText(error == ENOENT && !exists(directoryOf(target)) ? ENOTDIR : error));
    }
}

bool PosixPlatform::removeFile(const std::string& path) { return ::unlink(resolve(path).c_str()) == 0; }

}  // namespace posix
