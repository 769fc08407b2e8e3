#include "platform/posix/PosixPlatform.h"

#include "platform/NativePlatform.h"

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace posix {

namespace {
bool equalsFolded(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b))
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
        if (up(a[i]) != up(b[i]))
            return false;
    }
    return true;
}

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
}  // namespace

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
                while (dirent* entry = ::readdir(dir)) {
                    if (equalsFolded(part, entry->d_name)) {
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

bool isHostExecutable(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0)
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    char magic[4] = {};
    const ssize_t n = ::read(fd, magic, sizeof magic);
    ::close(fd);
    return (n >= 2 && magic[0] == '#' && magic[1] == '!') ||
           (n == 4 && magic[0] == 0x7f && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F');
}

// There is no registry on POSIX systems: every key is missing.
long PosixRegistry::openKey(Key, const std::string&, Key*) { return FileNotFound; }
long PosixRegistry::queryValue(Key, const std::string&, char*, unsigned long*) { return FileNotFound; }
long PosixRegistry::closeKey(Key) { return Success; }

std::string PosixPlatform::resolve(const std::string& path) { return resolvePath(path, currentDirectory()); }

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

std::string PosixPlatform::currentDirectory()
{
    std::vector<char> buffer(PATH_MAX);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return ".";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

void PosixPlatform::setCurrentDirectory(const std::string& path)
{
    if (::chdir(resolve(path).c_str()) != 0)
        throw LauncherError(ioErrorText(errno == ENOENT ? ENOTDIR : errno));
}

std::string PosixPlatform::ownDirectory() const
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath().toStdString() : std::string(".");
}

void PosixPlatform::startProgram(const std::string& commandLine, int)
{
    // The command line is a bare program name; anything after a blank would
    // be its arguments.
    const auto blank = commandLine.find(' ');
    const std::string name = commandLine.substr(0, blank);
    QStringList arguments;
    if (blank != std::string::npos)
        arguments = QString::fromLocal8Bit(commandLine.substr(blank + 1)).split(' ', Qt::SkipEmptyParts);

    for (const std::string& dir : {ownDirectory(), currentDirectory()}) {
        const std::string candidate = resolvePath(name, dir);
        if (!exists(candidate))
            continue;
        if (isHostExecutable(candidate))
            QProcess::startDetached(QString::fromLocal8Bit(candidate), arguments);
        return;
    }
}

int PosixPlatform::shellExecute(const std::string&, const std::string&, int) { return 2; }

void PosixPlatform::quit() { QCoreApplication::exit(0); }

}  // namespace posix

std::unique_ptr<Platform> makeNativePlatform() { return std::make_unique<posix::PosixPlatform>(); }
