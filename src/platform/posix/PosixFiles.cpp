#include "platform/posix/PosixPlatform.h"

#include "platform/posix/Descriptor.h"
#include "platform/posix/Files.h"
#include "platform/posix/OwnFolder.h"
#include "platform/posix/SafeLinks.h"
#include "platform/posix/SaveInPlace.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace posix {

namespace {
LauncherError because(const LauncherError& error, const std::string& reason)
{
    return reason.empty() ? error : LauncherError(std::string(error.what()) + ": " + reason);
}
}  // namespace

std::string PosixPlatform::ownFolderOrNone(bool make)
{
    std::string problem;
    return ownFolder(problem, make);
}

bool PosixPlatform::recover(const std::string& target)
{
    struct stat st;
    const std::string own = ownFolderOrNone(/*make=*/false);
    if (::lstat(copyBeside(target).c_str(), &st) != 0 && (own.empty() || ::lstat(copyIn(own, target).c_str(), &st) != 0))
        return false;
    Descriptor file;
    std::string reason;
    // Opening for a save puts back what a save cut short left.
    return openForSave(target, file, reason, own) == 0 && ::lstat(copyBeside(target).c_str(), &st) != 0 &&
           (own.empty() || ::lstat(copyIn(own, target).c_str(), &st) != 0);
}

std::string PosixPlatform::recoverInterruptedSave(const std::string& path)
{
    std::string target = resolve(path), reason;
    if (followLinksSafely(target, reason) != 0 || !recover(target))
        return {};
    return "The launcher was stopped while it saved " + path + ": the file's earlier content has been put back.";
}

bool PosixPlatform::fileExists(const std::string& path)
{
    struct stat st;
    return ::stat(resolve(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string PosixPlatform::readFile(const std::string& path)
{
    std::string target = resolve(path), reason;
    if (followLinksSafely(target, reason) != 0)
        throw because(errors::cannotOpenFile(path), reason);
    recover(target);
    Descriptor fd(::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        throw because(errors::cannotOpenFile(path),
                      errno == ELOOP ? "it was replaced by a symbolic link while the launcher was using it" : "");
    // An in-place save holds the file until its content is whole again.
    if (lockFile(fd.get(), LOCK_SH) != 0)
        throw because(errors::cannotOpenFile(path), "another launcher is saving it");
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw errors::cannotOpenFile(path);
        if (n == 0)
            return content;
        content.append(buffer, std::size_t(n));
    }
}

void PosixPlatform::writeFile(const std::string& path, const std::string& bytes)
{
    std::string reason;
    if (saveFile(resolve(path), bytes, reason, [this] { return ownFolderOrNone(); }) != 0)
        throw because(errors::cannotCreateFile(path), reason);
}

void PosixPlatform::writeDataFile(const std::string& path, const std::string& bytes)
{
    const std::string target = resolve(path);
    std::string reason;
    if (const int error = saveFile(target, bytes, reason, [this] { return ownFolderOrNone(); })) {
        // A missing directory is "Path not found", as the runtime says it.
        throw because(LauncherError(ioErrorText(error == ENOENT && !exists(directoryOf(target)) ? ENOTDIR : error)),
                      reason);
    }
}

bool PosixPlatform::removeFile(const std::string& path) { return ::unlink(resolve(path).c_str()) == 0; }

}  // namespace posix
