#include "platform/win32/Win32Platform.h"

#include "core/GameFiles.h"
#include "core/Text.h"
#include "dosbox/DosBox.h"
#include "platform/win32/Win32Calls.h"
#include "platform/win32/Win32Junction.h"
#include "platform/win32/Win32Programs.h"

#include <functional>
#include <vector>

// The game and its network driver on a Windows that cannot run DOS programs:
// started in DOSBox, found where its installer puts it.
namespace win32 {

namespace programs {

namespace {
// The game: where a single-player start finds it, or in the folder above,
// the game's folder, when a network start has entered its engine folder.
std::string findGame()
{
    const std::string game = findProgram(gamefiles::Game);
    if (!game.empty())
        return game;
    const std::string above = fullPath(std::string("..\\") + gamefiles::Game);
    return isFile(above) ? above : std::string();
}

// A DOS program: an "MZ" file whose header leads to no "PE" header.
bool isDosProgram(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    unsigned char header[64] = {};
    DWORD got = 0;
    bool dos = false;
    if (::ReadFile(file, header, sizeof header, &got, nullptr) && got >= 2 && header[0] == 'M' && header[1] == 'Z') {
        dos = true;
        if (got == sizeof header) {
            LARGE_INTEGER at;
            at.QuadPart = LONGLONG(header[60]) | LONGLONG(header[61]) << 8 | LONGLONG(header[62]) << 16 |
                          LONGLONG(header[63]) << 24;
            char signature[4] = {};
            DWORD read = 0;
            if (::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                ::ReadFile(file, signature, sizeof signature, &read, nullptr) && read == sizeof signature)
                dos = std::string(signature, 4) != std::string("PE\0\0", 4);
        }
    }
    ::CloseHandle(file);
    return dos;
}

// 64-bit Windows has no DOS subsystem, for 64-bit and 32-bit programs alike.
bool systemRunsDosPrograms()
{
#ifdef _WIN64
    return false;
#else
    BOOL wow64 = FALSE;
    return !(::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64);
#endif
}

// DOSBox.exe on PATH, else in a folder under Program Files whose name
// starts with "DOSBox" (where its installer puts it, "DOSBox-0.74-3").
std::string findDosBox()
{
    for (std::string folder : text::splitFields(environment("PATH"), ';')) {
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
            folder = folder.substr(1, folder.size() - 2);
        if (folder.empty())
            continue;
        const std::string candidate = withSeparator(folder) + "DOSBox.exe";
        if (isFile(candidate))
            return candidate;
    }
    for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
        const std::string programFiles = environment(variable);
        if (programFiles.empty())
            continue;
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((withSeparator(programFiles) + "DOSBox*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        std::string result;
        do {
            const std::string candidate = withSeparator(programFiles) + found.cFileName + "\\DOSBox.exe";
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && isFile(candidate))
                result = candidate;
        } while (result.empty() && ::FindNextFileA(search, &found));
        ::FindClose(search);
        if (!result.empty())
            return result;
    }
    return {};
}

// The folder DOSBox mounts for `program`: its own, or where DOSBox cannot
// take that, the same folder by its short (8.3) name, or, where the volume
// keeps none, a junction to it in the launcher's `cache` folder (made with
// `make`). Throws errors::cannotStart when none will do.
std::string mountableFolder(const std::string& commandLine, const std::string& program,
                            const std::function<std::string()>& cacheFolder, bool make)
{
    const std::string folder = program.substr(0, program.find_last_of("\\/"));
    const std::string problem = dosbox::mountProblem(folder);
    if (problem.empty())
        return folder;
    const std::string shorter = shortNameCall(folder);
    if (!shorter.empty() && dosbox::mountProblem(shorter).empty())
        return shorter;
    const std::string cache = cacheFolder();
    const std::string junction = withSeparator(cache) + dosbox::mountName(folder);
    if (!dosbox::mountProblem(junction).empty())
        throw errors::cannotStart(commandLine, problem + ", and the folder has no shorter name that DOSBox can open");
    if (make) {
        if (const unsigned long error = placeJunction(folder, junction))
            throw errors::cannotStart(commandLine, problem + ", and no short name could be made for it in \"" + cache +
                                                       "\" (" + systemMessage(error) + ")");
    }
    return junction;
}

}  // namespace

bool gameNeedsDosBox()
{
    if (systemRunsDosPrograms())
        return false;
    const std::string game = findGame();
    return !game.empty() && isDosProgram(game);
}

void startInDosBox(const std::string& commandLine, int show, const dosbox::Setup& setup,
                   const std::function<std::string()>& cache)
{
    const std::string program = findProgram(commandLine);
    if (program.empty())
        throw errors::cannotStart(commandLine, errors::startreason::NotFound);
    const std::string dosbox = findDosBox();
    if (dosbox.empty())
        throw errors::cannotStart(commandLine, errors::startreason::NoDosBox);
    const std::string folder = mountableFolder(commandLine, program, cache, /*make=*/true);
    // The file DOSBox would have read by itself from its current folder.
    const std::string local = fullPath("dosbox.conf");
    const std::string localConfiguration = isFile(local) ? local : std::string();

    std::string line = quoted(dosbox);
    const std::string name = program.substr(program.find_last_of("\\/") + 1);
    for (const std::string& argument : dosbox::arguments(folder + "\\" + name, setup, localConfiguration))
        line += " " + quoted(argument);
    std::vector<char> mutableLine(line.begin(), line.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = WORD(show);
    // DOSBox's own output goes to the log; one that cannot be made costs
    // the log, not the start.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE log = INVALID_HANDLE_VALUE;
    if (!setup.logFile.empty())
        log = ::CreateFileA(setup.logFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherited,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = log;
        startup.hStdError = log;
    }
    PROCESS_INFORMATION process = {};
    const BOOL started = ::CreateProcessA(dosbox.c_str(), mutableLine.data(), nullptr, nullptr,
                                          log != INVALID_HANDLE_VALUE, 0, nullptr, nullptr, &startup, &process);
    const unsigned long error = started ? 0 : lastError();
    if (log != INVALID_HANDLE_VALUE)
        ::CloseHandle(log);
    if (!started)
        throw errors::cannotStart(commandLine, "DOSBox could not be started (" + systemMessage(error) + ")");
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace programs

using namespace programs;

bool Win32Platform::startsInDosBox(const std::string& commandLine, const std::string& folder)
{
    const std::string program = gameNeedsDosBox() ? findProgram(commandLine, folder) : std::string();
    if (program.empty() || findDosBox().empty())
        return false;
    mountableFolder(commandLine, program, [this] { return dosBoxFolder(); }, /*make=*/false);
    return true;
}

std::string Win32Platform::dosBoxFolder()
{
    // Where Windows programs keep caches: the local application data.
    std::string base = environment("LOCALAPPDATA");
    if (base.empty()) {
        char temp[MAX_PATH + 1] = {};
        const DWORD length = ::GetTempPathA(sizeof temp, temp);
        base = std::string(temp, length <= MAX_PATH ? length : 0);
    } else {
        base = withSeparator(base) + "cache";
    }
    const std::string folder = withSeparator(base) + "vornhale";
    for (std::size_t at = folder.find_first_of("\\/", 3); at != std::string::npos;
         at = folder.find_first_of("\\/", at + 1))
        ::CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw errors::cannotCreateFile(folder);
    cleanUpOnce(folder);
    return folder;
}

}  // namespace win32
