#include "platform/posix/PosixPlatform.h"

#include "core/Errors.h"
#include "dosbox/DosBox.h"
#include "platform/posix/OwnFolder.h"
#include "platform/posix/Paths.h"
#include "platform/posix/ShortNames.h"
#include "platform/posix/Programs.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace posix {

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
        if (const int error = placeLink(folder, link))
            throw errors::cannotStart(commandLine, problem + ", and no short name could be made for it in \"" +
                                                       directoryOf(link) + "\" (" + startReason(error) + ")");
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
    std::string problem;
    const std::string folder = ownFolder(problem);
    if (folder.empty())
        throw LauncherError("Cannot create folder " + problem);
    cleanUpOnce(folder);
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
