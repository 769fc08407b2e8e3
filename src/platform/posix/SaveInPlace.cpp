#include "platform/posix/SaveInPlace.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace posix {

int writeAll(int fd, const std::string& bytes, off_t offset)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written, offset + off_t(written));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += std::size_t(n);
    }
    return 0;
}

// Writes the file open as `fd` in place: the whole new content over the old,
// flushed, and only then the length set, so the file is never shorter than
// what it holds. The room a longer content needs is claimed first, so a full
// disk refuses it before a byte is overwritten.
int writeInPlace(int fd, const std::string& bytes, off_t oldSize)
{
    const off_t newSize = off_t(bytes.size());
    if (newSize > oldSize) {
        const int error = ::posix_fallocate(fd, oldSize, newSize - oldSize);
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL)
            return error;
    }
    if (const int error = writeAll(fd, bytes, 0))
        return error;
    if (::fsync(fd) != 0 || ::ftruncate(fd, newSize) != 0 || ::fsync(fd) != 0)
        return errno;
    return 0;
}

// The kernel keeps the attribute only for such a list.
bool hasAccessList(int fd) { return ::fgetxattr(fd, "system.posix_acl_access", nullptr, 0) >= 0; }

}  // namespace posix
