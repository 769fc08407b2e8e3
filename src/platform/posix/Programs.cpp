#include "platform/posix/Programs.h"

#include "core/Text.h"
#include "platform/DosBox.h"
#include "platform/posix/Paths.h"
#include "platform/posix/PosixPlatform.h"

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
    const int log = output.empty() ? -1 : ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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

namespace {
// Why exec refused a program, in the words of the error box.
std::string startReason(int error)
{
    if (error == ENOEXEC)
        return errors::startreason::NotAProgram;
    return std::generic_category().message(error);
}

bool isRegularFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
}  // namespace

void PosixPlatform::startProgram(const std::string& commandLine, int show)
{
    startProgramWith(commandLine, show, {});
}

namespace {
// The command line is a bare program name; anything after a blank would be
// its arguments.
std::string programName(const std::string& commandLine) { return commandLine.substr(0, commandLine.find(' ')); }

// The program `name` in the first of `folders` that holds it, or empty text.
std::string findIn(const std::string& name, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        const std::string candidate = resolvePath(name, folder);
        if (isRegularFile(candidate))
            return candidate;
    }
    return {};
}

bool needsDosBox(const std::string& program) { return !isHostExecutable(program) && isDosProgramName(program); }
}  // namespace

// The folder DOSBox mounts for `program`: its own, or where DOSBox cannot
// take that, a link to it under a short name in the launcher's folder. With
// `make`, the link is made; without, only its name is worked out. Throws
// errors::cannotStart when neither will do.
std::string PosixPlatform::mountableFolder(const std::string& commandLine, const std::string& program, bool make)
{
    const std::string folder = directoryOf(program);
    const std::string problem = dosbox::mountProblem(folder);
    if (problem.empty())
        return folder;
    const std::string link = dosBoxFolder() + "/" + dosbox::mountName(folder);
    if (!dosbox::mountProblem(link).empty())
        throw errors::cannotStart(commandLine, problem + ", and the launcher's own folder for DOSBox (\"" +
                                                   directoryOf(link) + "\") cannot stand in for it");
    if (make) {
        // A link left by an earlier start may name another folder by now.
        ::unlink(link.c_str());
        if (::symlink(folder.c_str(), link.c_str()) != 0)
            throw errors::cannotStart(commandLine, problem + ", and no short name could be made for it in \"" +
                                                       directoryOf(link) + "\" (" + startReason(errno) + ")");
    }
    return link;
}

bool PosixPlatform::startsInDosBox(const std::string& commandLine, const std::string& folder)
{
    const std::string program = findIn(programName(commandLine), {ownDirectory(), resolve(folder)});
    if (program.empty() || !needsDosBox(program) || findOnPath("dosbox").empty())
        return false;
    mountableFolder(commandLine, program, /*make=*/false);
    return true;
}

std::string PosixPlatform::dosBoxFolder()
{
    // Where the desktop keeps caches: $XDG_CACHE_HOME, or ~/.cache.
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (cache && cache[0] == '/')
        base = cache;
    else if (home && home[0] == '/')
        base = std::string(home) + "/.cache";
    else
        base = "/tmp";
    const std::string folder = base + "/vornhale";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error))
        throw errors::cannotCreateFile(folder);
    return folder;
}

void PosixPlatform::startProgramWith(const std::string& commandLine, int, const dosbox::Setup& setup)
{
    const auto blank = commandLine.find(' ');
    std::vector<std::string> arguments;
    if (blank != std::string::npos)
        arguments = splitParameters(commandLine.substr(blank + 1));

    const std::string program = findIn(programName(commandLine), {ownDirectory(), currentDirectory()});
    if (program.empty())
        throw errors::cannotStart(commandLine, errors::startreason::NotFound);
    int error = 0;
    if (isHostExecutable(program)) {
        if (!startDetached(program, arguments, &error))
            throw errors::cannotStart(commandLine, startReason(error));
    } else if (needsDosBox(program)) {
        const std::string dosbox = findOnPath("dosbox");
        if (dosbox.empty())
            throw errors::cannotStart(commandLine, errors::startreason::NoDosBox);
        const std::string folder = mountableFolder(commandLine, program, /*make=*/true);
        const std::string name = program.substr(program.rfind('/') + 1);
        // The file DOSBox would have read by itself from its current folder.
        const std::string local = resolvePath("dosbox.conf", currentDirectory());
        const std::string localConfiguration = isRegularFile(local) ? local : std::string();
        if (!startDetached(dosbox, dosbox::arguments(folder + "/" + name, setup, localConfiguration), &error,
                           setup.logFile))
            throw errors::cannotStart(commandLine, "DOSBox could not be started (" + startReason(error) + ")");
    } else {
        throw errors::cannotStart(commandLine, errors::startreason::NotAProgram);
    }
}

int PosixPlatform::shellExecute(const std::string& file, const std::string& parameters, int)
{
    // ShellExecute's own results: above 32 is a start, 2 is "file not found".
    const std::string program = hostProgramFor(file, currentDirectory());
    std::vector<std::string> arguments = splitParameters(parameters);
    // The page is a path in the game's folders, which may have come from DOS
    // media in another case ("WEB/SELVANE/INDEX.HTM"): it is found as every
    // launcher path is.
    for (std::string& argument : arguments) {
        if (argument.empty() || argument[0] != '/' || exists(argument))
            continue;
        const std::string found = resolvePath(argument, "/");
        if (exists(found))
            argument = found;
    }
    if (program.empty() || !startDetached(program, arguments))
        return 2;
    return 42;
}

}  // namespace posix
