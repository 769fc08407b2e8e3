#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Calls.h"

#include <shellapi.h>

namespace win32 {

void Win32Platform::startProgram(const std::string& commandLine, int show)
{
    ::WinExec(commandLine.c_str(), UINT(show));
}

int Win32Platform::shellExecute(const std::string& file, const std::string& parameters, int show)
{
    const HWND owner = reinterpret_cast<HWND>(owner_ ? owner_() : 0);
    const HINSTANCE result = ::ShellExecuteA(owner, nullptr, file.c_str(), parameters.c_str(), nullptr, show);
    return int(reinterpret_cast<INT_PTR>(result));
}

}  // namespace win32
