#include "platform/win32/Win32Platform.h"

#include "core/Text.h"
#include "platform/DosBox.h"
#include "platform/win32/Win32Calls.h"

#include <shellapi.h>

#include <vector>

namespace win32 {

namespace {
bool isFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string withSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

std::string environment(const char* name)
{
    std::vector<char> value(32768);
    const DWORD length = ::GetEnvironmentVariableA(name, value.data(), DWORD(value.size()));
    return length > 0 && length < value.size() ? std::string(value.data(), length) : std::string();
}

std::string fullPath(const std::string& path)
{
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = ::GetFullPathNameA(path.c_str(), DWORD(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length);
    }
}

// The folder the launcher's own program lies in, with its separator.
std::string ownFolder()
{
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD length;
    while ((length = ::GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()))) == buffer.size())
        buffer.resize(buffer.size() * 2);
    std::string path(buffer.data(), length);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

// Where WinExec finds a bare program name first: the launcher's own folder,
// then the current one (or `folder` below it). The full path, or empty text.
std::string findProgram(const std::string& name, const std::string& folder = {})
{
    const std::string here = folder.empty() ? name : withSeparator(folder) + name;
    for (const std::string& candidate : {ownFolder() + name, fullPath(here)})
        if (isFile(candidate))
            return candidate;
    return {};
}

// The game's VORNHALE.EXE: where a single-player start finds it, or in the
// folder above, the game's folder, when a network start has entered ENGINE.
std::string findGame()
{
    const std::string game = findProgram("VORNHALE.EXE");
    if (!game.empty())
        return game;
    const std::string above = fullPath("..\\VORNHALE.EXE");
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

// An argument as the programs' runtime splits it again: a blank inside
// needs quotes; a Windows path holds no quote of its own.
std::string quoted(const std::string& argument)
{
    return argument.empty() || argument.find_first_of(" \t") != std::string::npos ? "\"" + argument + "\""
                                                                                   : argument;
}

std::string systemMessage(unsigned long error)
{
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(error);
    if (text)
        ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.' ||
                                message.back() == ' '))
        message.pop_back();
    return message;
}

std::string startReason(unsigned long error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return errors::startreason::NotFound;
    case ERROR_BAD_FORMAT:
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_INVALID_EXE_SIGNATURE:
    case ERROR_EXE_MARKED_INVALID:
        return errors::startreason::NotAProgram;
    default:
        return systemMessage(error);
    }
}

// The game decides: where its VORNHALE.EXE is a DOS program this system
// cannot run, the game and its network driver both run in DOSBox.
bool gameNeedsDosBox()
{
    if (systemRunsDosPrograms())
        return false;
    const std::string game = findGame();
    return !game.empty() && isDosProgram(game);
}

// The folder DOSBox mounts for `program`: its own, or where DOSBox cannot
// take that, the same folder by its short (8.3) name. Throws
// errors::cannotStart when neither will do.
std::string mountableFolder(const std::string& commandLine, const std::string& program)
{
    const std::string folder = program.substr(0, program.find_last_of("\\/"));
    const std::string problem = dosbox::mountProblem(folder);
    if (problem.empty())
        return folder;
    std::vector<char> shortName(folder.size() + 1);
    DWORD length = ::GetShortPathNameA(folder.c_str(), shortName.data(), DWORD(shortName.size()));
    if (length >= shortName.size()) {
        shortName.resize(length + 1);
        length = ::GetShortPathNameA(folder.c_str(), shortName.data(), DWORD(shortName.size()));
    }
    const std::string shorter(shortName.data(), length < shortName.size() ? length : 0);
    if (shorter.empty() || !dosbox::mountProblem(shorter).empty())
        throw errors::cannotStart(commandLine, problem + ", and the folder has no shorter name that DOSBox can open");
    return shorter;
}

// Starts the DOS program `commandLine` names in DOSBox, without waiting, in
// the current folder, as WinExec would have started the program itself.
void startInDosBox(const std::string& commandLine, int show, const dosbox::Setup& setup)
{
    const std::string program = findProgram(commandLine);
    if (program.empty())
        throw errors::cannotStart(commandLine, errors::startreason::NotFound);
    const std::string dosbox = findDosBox();
    if (dosbox.empty())
        throw errors::cannotStart(commandLine, errors::startreason::NoDosBox);
    const std::string folder = mountableFolder(commandLine, program);
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
}  // namespace

void Win32Platform::startProgram(const std::string& commandLine, int show)
{
    startProgramWith(commandLine, show, {});
}

bool Win32Platform::startsInDosBox(const std::string& commandLine, const std::string& folder)
{
    const std::string program = gameNeedsDosBox() ? findProgram(commandLine, folder) : std::string();
    if (program.empty() || findDosBox().empty())
        return false;
    mountableFolder(commandLine, program);
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
    return folder;
}

void Win32Platform::startProgramWith(const std::string& commandLine, int show, const dosbox::Setup& setup)
{
    if (gameNeedsDosBox()) {
        startInDosBox(commandLine, show, setup);
        return;
    }
    const UINT result = ::WinExec(commandLine.c_str(), UINT(show));
    if (result > 31)
        return;
    // WinExec's 0 is "out of memory or resources".
    throw errors::cannotStart(commandLine, startReason(result == 0 ? ERROR_NOT_ENOUGH_MEMORY : result));
}

int Win32Platform::shellExecute(const std::string& file, const std::string& parameters, int show)
{
    const HWND owner = reinterpret_cast<HWND>(owner_ ? owner_() : 0);
    const HINSTANCE result = ::ShellExecuteA(owner, nullptr, file.c_str(), parameters.c_str(), nullptr, show);
    return int(reinterpret_cast<INT_PTR>(result));
}

}  // namespace win32
