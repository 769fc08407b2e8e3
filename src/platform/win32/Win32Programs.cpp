#include "platform/win32/Win32Platform.h"

#include "core/Text.h"
#include "dosbox/DosBox.h"
#include "platform/win32/Win32Calls.h"
#include "platform/win32/Win32Programs.h"

#include <shellapi.h>

#include <vector>

namespace win32 {

namespace programs {
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

std::string ownFolder()
{
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD length;
    while ((length = ::GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()))) == buffer.size())
        buffer.resize(buffer.size() * 2);
    std::string path(buffer.data(), length);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string findProgram(const std::string& name, const std::string& folder)
{
    const std::string here = folder.empty() ? name : withSeparator(folder) + name;
    for (const std::string& candidate : {ownFolder() + name, fullPath(here)})
        if (isFile(candidate))
            return candidate;
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

}  // namespace programs

using namespace programs;

void Win32Platform::startProgram(const std::string& commandLine, int show)
{
    startProgramWith(commandLine, show, {});
}

void Win32Platform::startProgramWith(const std::string& commandLine, int show, const dosbox::Setup& setup)
{
    if (gameNeedsDosBox()) {
        startInDosBox(commandLine, show, setup, [this] { return dosBoxFolder(); });
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
