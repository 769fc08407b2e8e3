#include "platform/posix/SaveInPlace.h"

#include "core/Text.h"
#include "platform/posix/Descriptor.h"
#include "platform/posix/Paths.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
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

// The kernel keeps the attribute only for such a list.
bool hasAccessList(int fd) { return ::fgetxattr(fd, "system.posix_acl_access", nullptr, 0) >= 0; }

std::string copyBeside(const std::string& target) { return target + ".vornhale-undo"; }

std::string copyIn(const std::string& ownFolder, const std::string& target)
{
    return ownFolder + "/undo-" + text::fingerprint(target);
}

namespace {
// Reads the whole file open as `fd` into `content`. Returns 0 or an errno.
int readAll(int fd, std::string& content)
{
    char buffer[65536];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        content.append(buffer, std::size_t(n));
        at += n;
    }
}

int syncFolderOf(const std::string& path)
{
    Descriptor folder(::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.get() >= 0 && ::fsync(folder.get()) == 0 ? 0 : errno;
}

// Writes `content` as the whole of `fd` and flushes it.
int replaceContent(int fd, const std::string& content)
{
    if (const int error = writeAll(fd, content, 0))
        return error;
    return ::fsync(fd) == 0 && ::ftruncate(fd, off_t(content.size())) == 0 && ::fsync(fd) == 0 ? 0 : errno;
}

// A whole, flushed copy of `content` at `copy`: written under another name
// and renamed, so a copy that exists is never half a copy.
int keepCopy(const std::string& copy, const std::string& content, mode_t mode)
{
    std::string temp;
    Descriptor file(createBeside(copy, mode, temp));
    if (file.get() < 0)
        return errno;
    int error = writeAll(file.get(), content, 0);
    if (!error && ::fsync(file.get()) != 0)
        error = errno;
    if (!error && ::rename(temp.c_str(), copy.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    return syncFolderOf(copy);
}

void removeCopy(const std::string& copy)
{
    ::unlink(copy.c_str());
    syncFolderOf(copy);
}

bool refused(int error) { return error == EACCES || error == EPERM || error == EROFS; }
}  // namespace

int writeInPlace(int fd, const std::string& target, const std::string& bytes, const std::string& ownFolder,
                 std::string& reason)
{
    struct stat st;
    std::string old;
    if (::fstat(fd, &st) != 0)
        return errno;
    // A file the user may write but not read cannot be put back: it is left.
    if (const int error = readAll(fd, old))
        return error == EBADF ? EACCES : error;
    std::string copy = copyBeside(target);
    int error = keepCopy(copy, old, st.st_mode & 0666);
    if (refused(error) && !ownFolder.empty()) {
        copy = copyIn(ownFolder, target);
        error = keepCopy(copy, old, 0600);
    }
    if (error)
        return error;
    // Room for a longer content, claimed without changing the length, so a
    // full disk refuses it before a byte is overwritten and the file never
    // holds bytes that are neither content.
    if (bytes.size() > old.size() && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(bytes.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL) {
        error = errno;
        removeCopy(copy);
        return error;
    }
    error = replaceContent(fd, bytes);
    if (error && replaceContent(fd, old) != 0) {
        reason = "its earlier content is kept in \"" + copy + "\"";
        return error;
    }
    removeCopy(copy);
    return error;
}

bool restoreFromCopy(int fd, const std::string& target, const std::string& ownFolder)
{
    struct stat file;
    if (::fstat(fd, &file) != 0)
        return false;
    for (const std::string& copy : {copyBeside(target), ownFolder.empty() ? "" : copyIn(ownFolder, target)}) {
        if (copy.empty())
            continue;
        Descriptor saved(::open(copy.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        struct stat st;
        std::string content;
        // Only a copy this user or the file's owner made is taken: anyone
        // who may write the folder could leave a file of that name.
        if (saved.get() < 0 || ::fstat(saved.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            (st.st_uid != ::geteuid() && st.st_uid != file.st_uid) || readAll(saved.get(), content) != 0)
            continue;
        if (replaceContent(fd, content) == 0) {
            removeCopy(copy);
            return true;
        }
    }
    return false;
}

}  // namespace posix
