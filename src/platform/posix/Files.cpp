#include "platform/posix/Files.h"

#include "platform/posix/Descriptor.h"
#include "platform/posix/Paths.h"
#include "platform/posix/SafeLinks.h"
#include "platform/posix/SaveInPlace.h"
#include "platform/posix/PosixPlatform.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace posix {

namespace {
// A temporary file's name: the target's, this mark, and six random letters or
// digits (Files.h says why).
constexpr char TempMark[] = ".vornhale-tmp-";
constexpr char TempLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t TempRandom = 6;

// Whether `name` is a temporary name of a save of the file named `base`.
bool isTempName(const std::string& name, const std::string& base)
{
    const std::string fixed = base + TempMark;
    return name.size() == fixed.size() + TempRandom && name.compare(0, fixed.size(), fixed) == 0 &&
           name.find_first_not_of(TempLetters, fixed.size()) == std::string::npos;
}

// Removes what saves of `target` killed half-way left beside it: files of
// the temporary names above only, regular files of this user or of the
// target's `owner`, and only those no save holds locked.
void removeLeftovers(const std::string& target, uid_t owner)
{
    const std::string dir = directoryOf(target);
    const std::string base = target.substr(target.find_last_of('/') + 1);
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator entry(dir, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (isTempName(name, base) || isTempName(name, copyBeside(base)))
            found.push_back(entry->path().string());
    }
    for (const std::string& leftover : found) {
        Descriptor fd(::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat st;
        if (fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            (st.st_uid == ::geteuid() || st.st_uid == owner) && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(leftover.c_str());
    }
}

// The system refuses a step of the replacement (a new file in a folder that
// is not writable for this user or lies on a read-only file system, a mode
// on a file system that has none or keeps one for everyone), while the file
// itself may still be written.
bool refused(int error) { return error == EACCES || error == EPERM || error == EROFS || error == EOPNOTSUPP; }

}  // namespace

// Creates a new file beside `target` for writing and names it in `name`.
// mkstemp always makes its file 0600; a new settings file must instead get the
// mode the user's umask gives, which only the kernel applies without the
// umask being read (and so changed) here.
//
// The file stays locked while it is open, which tells another save's
// clean-up that it is in use. A file such a clean-up locked first is being
// removed: it is left to it, and another name is taken.
int createBeside(const std::string& target, mode_t mode, std::string& name)
{
    static std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> pick(0, int(sizeof TempLetters) - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + TempMark;
        for (std::size_t i = 0; i < TempRandom; ++i)
            name += TempLetters[pick(random)];
        Descriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
        if (fd.get() < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // On a file system without locks the file stays unlocked; a clean-up
        // there cannot lock either, and removes nothing.
        const bool locked = ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
        if (!locked && errno == EWOULDBLOCK)
            continue;
        struct stat st;
        if (locked && (::fstat(fd.get(), &st) != 0 || st.st_nlink == 0))
            continue;
        return fd.release();
    }
    errno = EEXIST;
    return -1;
}

int lockFile(int fd, int how)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::flock(fd, how | LOCK_NB) == 0)
            return 0;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS ? 0 : errno;
        ::usleep(50000);
    }
    return EBUSY;
}

int openForSave(const std::string& target, Descriptor& file, std::string& reason, const std::string& ownFolder)
{
    // Another save may replace the file while this one waits for its lock:
    // the lock counts only on the file that still has the name.
    for (int attempt = 0; attempt < 20; ++attempt) {
        file.reset(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
        if (file.get() < 0 && errno == EACCES)
            file.reset(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
        if (file.get() < 0) {
            if (errno == ELOOP)
                reason = "it was replaced by a symbolic link while the launcher was using it";
            return errno;
        }
        if (const int error = lockFile(file.get(), LOCK_EX)) {
            if (error == EBUSY)
                reason = "another launcher is saving it";
            return error;
        }
        struct stat held, named;
        if (::fstat(file.get(), &held) == 0 && ::lstat(target.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            // What a save cut short left is put right before anything else.
            restoreFromCopy(file.get(), target, ownFolder);
            return 0;
        }
    }
    return EBUSY;
}

int saveFile(const std::string& path, const std::string& bytes, std::string& reason,
             const std::function<std::string()>& ownFolder)
{
    std::string target = path;
    if (const int error = followLinksSafely(target, reason))
        return error;

    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT)
        return errno;
    Descriptor oldFile;
    if (replacing) {
        if (S_ISDIR(old.st_mode))
            return EISDIR;
        if (!S_ISREG(old.st_mode))
            return EACCES;
        // A file the user made read-only stays as it is, even for root.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return EACCES;
        // Whether the user may write the file is the system's to say
        // (permissions, access lists, a read-only mount), and the open file
        // serves an in-place write if the replacement cannot be made. It
        // stays locked until the save is done, on either way.
        if (const int error = openForSave(target, oldFile, reason, ownFolder ? ownFolder() : std::string()))
            return error;
        if (::fstat(oldFile.get(), &old) != 0)
            return errno;
    }
    const std::string dir = directoryOf(target);
    struct stat dirStat;
    if (::stat(dir.c_str(), &dirStat) != 0)
        return errno == ENOENT ? ENOTDIR : errno;

    removeLeftovers(target, replacing ? old.st_uid : ::geteuid());
    const auto inPlace = [&] { return writeInPlace(oldFile.get(), target, bytes, ownFolder ? ownFolder() : "", reason); };
    // A replacement would be another file: the old one's other names would
    // keep the old content, and its access list would be lost (setting the
    // mode of a file that has one sets the list's mask instead).
    if (replacing && (old.st_nlink > 1 || hasAccessList(oldFile.get())))
        return inPlace();

    std::string temp;
    Descriptor file(createBeside(target, replacing ? 0600 : 0666, temp));
    if (file.get() < 0) {
        const int error = errno;
        return replacing && refused(error) ? inPlace() : error;
    }
    auto fail = [&](int error) {
        file.reset();
        ::unlink(temp.c_str());
        return error;
    };
    if (replacing) {
        // An owner, group or mode the replacement cannot be given (another
        // user's file, a group the user does not belong to, a shared drive
        // that shows every file as root's) is kept by writing in place.
        struct stat made;
        if (::fstat(file.get(), &made) != 0)
            return fail(errno);
        if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
            ::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
            fail(0);
            return inPlace();
        }
        const mode_t mode = old.st_mode & 01777;
        if ((made.st_mode & 07777) != mode && ::fchmod(file.get(), mode) != 0) {
            const int error = fail(errno);
            return refused(error) ? inPlace() : error;
        }
    }
    if (const int error = writeAll(file.get(), bytes, 0))
        return fail(error);
    // Flushed, the content needs no check of close; the file stays open, and
    // so locked, until it has its name.
    if (::fsync(file.get()) != 0)
        return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);
    file.reset();
    // The rename itself reaches the disk only with the folder.
    Descriptor folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    return 0;
}

}  // namespace posix
