#include "platform/posix/PosixPlatform.h"

#include "platform/NativePlatform.h"
#include "settings/SettingsLines.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace posix {

namespace {
bool equalsFolded(const std::string& a, const char* b) { return settings::upperAscii(a) == settings::upperAscii(b); }

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

bool isDosProgramName(const std::string& path)
{
    if (path.size() < 4)
        return false;
    const std::string ending = path.substr(path.size() - 4);
    return equalsFolded(ending, ".EXE") || equalsFolded(ending, ".COM") || equalsFolded(ending, ".BAT");
}

std::string findOnPath(const std::string& name)
{
    auto runnable = [](const std::string& path) {
        struct stat st;
        return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
    };
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return runnable(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    const std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t pos = 0;
    while (pos <= dirs.size()) {
        auto colon = dirs.find(':', pos);
        if (colon == std::string::npos)
            colon = dirs.size();
        const std::string dir = dirs.substr(pos, colon - pos);
        pos = colon + 1;
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (runnable(candidate))
            return candidate;
    }
    return {};
}

bool startDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    // Everything the children need is built before fork: between fork and
    // exec only async-signal-safe calls are allowed in a threaded process.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    // The grandchild writes errno here when exec fails; a successful exec
    // closes the pipe with nothing written.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        // The middle process ends at once, so the program is handed to init
        // and the launcher never has to reap it.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(argv[0], argv.data());
        }
        if (grandchild <= 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(report[1], &error, sizeof error);
        }
        ::_exit(grandchild > 0 ? 0 : 127);
    }
    ::close(report[1]);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    do
        n = ::read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    return n == 0;
}

std::string hostProgramFor(const std::string& file, const std::string& base)
{
    if (file.find_first_of("/\\") != std::string::npos) {
        const std::string path = resolvePath(file, base);
        return isHostExecutable(path) ? path : std::string();
    }
    if (!isDosProgramName(file))
        return {};
    std::string name = file.substr(0, file.size() - 4);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return findOnPath(name);
}

std::vector<std::string> splitParameters(const std::string& parameters)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const std::size_t n = parameters.size();
    for (;;) {
        while (i < n && blank(parameters[i]))
            ++i;
        if (i == n)
            return arguments;
        std::size_t end;
        if (parameters[i] == '"') {
            end = i + 1;
            while (end < n && !(parameters[end] == '"' && (end + 1 == n || blank(parameters[end + 1]))))
                ++end;
            arguments.push_back(parameters.substr(i + 1, end - i - 1));
            i = end < n ? end + 1 : n;
        } else {
            end = i;
            while (end < n && !blank(parameters[end]))
                ++end;
            arguments.push_back(parameters.substr(i, end - i));
            i = end;
        }
    }
}

PosixRegistry::PosixRegistry()
{
    for (const char* extension : {".HTM", ".HTML", ".SHTML", ".SHTM"})
        keys_[extension] = "htmlfile";
    keys_["HTMLFILE"] = std::nullopt;
    keys_["HTMLFILE\\SHELL"] = std::nullopt;
    keys_["HTMLFILE\\SHELL\\OPEN"] = std::nullopt;
    keys_["HTMLFILE\\SHELL\\OPEN\\COMMAND"] = std::string(HtmlOpenCommand);
}

long PosixRegistry::openKey(Key parent, const std::string& subKey, Key* result)
{
    std::string path;
    if (parent != ClassesRoot) {
        const auto it = open_.find(parent);
        if (it == open_.end())
            return parent == LocalMachine ? FileNotFound : 6;  // ERROR_INVALID_HANDLE
        path = it->second + "\\";
    }
    path += settings::upperAscii(subKey);
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (!keys_.count(path))
        return FileNotFound;
    *result = next_++;
    open_[*result] = path;
    return Success;
}

long PosixRegistry::queryValue(Key key, const std::string& name, char* data, unsigned long* size)
{
    const auto it = open_.find(key);
    if (it == open_.end())
        return 6;
    const auto& value = keys_.at(it->second);
    if (!name.empty() || !value)
        return FileNotFound;
    // A string value's size counts its NUL, and a buffer too small gets nothing.
    const unsigned long needed = (unsigned long)value->size() + 1;
    if (data) {
        if (*size < needed) {
            *size = needed;
            return MoreData;
        }
        std::memcpy(data, value->c_str(), needed);
    }
    *size = needed;
    return Success;
}

long PosixRegistry::closeKey(Key key) { return open_.erase(key) ? Success : 6; }

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

std::string PosixPlatform::ownDirectory()
{
    // Without an application object (the platform on its own) there is no
    // launcher directory; the search starts in the current one.
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath().toStdString() : currentDirectory();
}

void PosixPlatform::startProgram(const std::string& commandLine, int)
{
    // The command line is a bare program name; anything after a blank would
    // be its arguments.
    const auto blank = commandLine.find(' ');
    const std::string name = commandLine.substr(0, blank);
    std::vector<std::string> arguments;
    if (blank != std::string::npos)
        arguments = splitParameters(commandLine.substr(blank + 1));

    for (const std::string& dir : {ownDirectory(), currentDirectory()}) {
        const std::string candidate = resolvePath(name, dir);
        if (!exists(candidate))
            continue;
        if (isHostExecutable(candidate)) {
            startDetached(candidate, arguments);
        } else if (isDosProgramName(candidate)) {
            // The game and its network driver are DOS programs: DOSBox mounts
            // the program's directory as C:, runs it and ends with it. Without
            // DOSBox nothing starts, as with any failed start.
            const std::string dosbox = findOnPath("dosbox");
            if (!dosbox.empty())
                startDetached(dosbox, {candidate, "-exit"});
        }
        return;
    }
}

int PosixPlatform::shellExecute(const std::string& file, const std::string& parameters, int)
{
    // ShellExecute's own results: above 32 is a start, 2 is "file not found".
    const std::string program = hostProgramFor(file, currentDirectory());
    if (program.empty() || !startDetached(program, splitParameters(parameters)))
        return 2;
    return 42;
}

void PosixPlatform::quit() { QCoreApplication::exit(0); }

}  // namespace posix

std::unique_ptr<Platform> makeNativePlatform() { return std::make_unique<posix::PosixPlatform>(); }
