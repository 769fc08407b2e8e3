#include "platform/posix/Programs.h"

#include "core/Text.h"
#include "platform/posix/Paths.h"
#include "platform/posix/ShortNames.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace posix {

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
    const std::string ending = text::upperAscii(path.substr(path.size() - 4));
    return ending == ".EXE" || ending == ".COM" || ending == ".BAT";
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
    for (const std::string& dir : text::splitFields(dirs, ':')) {
        // An empty entry would mean the current folder, which is the game's:
        // nothing there is meant to stand in for a program of the desktop.
        if (dir.empty())
            continue;
        const std::string candidate = dir + "/" + name;
        if (runnable(candidate))
            return candidate;
    }
    return {};
}

bool startDetached(const std::string& program, const std::vector<std::string>& arguments, int* error,
                   const std::string& output)
{
    int ignored = 0;
    int& failure = error ? *error : ignored;
    // Opened here, not in the child: a log that cannot be made costs the
    // log, not the start.
    const int log = output.empty() ? -1 : openLog(output);
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
    if (::pipe2(report, O_CLOEXEC) != 0) {
        failure = errno;
        if (log >= 0)
            ::close(log);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        failure = errno;
        ::close(report[0]);
        ::close(report[1]);
        if (log >= 0)
            ::close(log);
        return false;
    }
    if (child == 0) {
        // The middle process ends at once, so the program is handed to init
        // and the launcher never has to reap it.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            // dup2 clears close-on-exec on the copies it makes.
            if (log >= 0) {
                ::dup2(log, STDOUT_FILENO);
                ::dup2(log, STDERR_FILENO);
            }
            ::execv(argv[0], argv.data());
        }
        if (grandchild <= 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(report[1], &error, sizeof error);
        }
        ::_exit(grandchild > 0 ? 0 : 127);
    }
    ::close(report[1]);
    if (log >= 0)
        ::close(log);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    int reported = 0;
    ssize_t n;
    do
        n = ::read(report[0], &reported, sizeof reported);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (n != 0)
        failure = n == ssize_t(sizeof reported) ? reported : EIO;
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
    return findOnPath(text::lowerAscii(file.substr(0, file.size() - 4)));
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

}  // namespace posix
