// The player's own DOSBox configurations, read to learn what they say of the
// display.
#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Calls.h"
#include "platform/win32/Win32Programs.h"

#include <string>

namespace win32 {

namespace {
using namespace programs;

std::string contents(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes + "\n";
}

// DOSBox keeps its settings for the user in %LOCALAPPDATA%\DOSBox, one file
// per version ("dosbox-0.74-3.conf"); the one written last belongs to the
// DOSBox in use.
std::string ownConfiguration()
{
    const std::string base = environment("LOCALAPPDATA");
    if (base.empty())
        return {};
    const std::string folder = withSeparator(base) + "DOSBox\\";
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder + "dosbox-*.conf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string newest;
    FILETIME newestTime = {};
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (newest.empty() || ::CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0)) {
            newest = folder + found.cFileName;
            newestTime = found.ftLastWriteTime;
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return newest;
}
}  // namespace

std::string Win32Platform::playerDosBoxConfigurations(const std::string& folder)
{
    const std::string own = ownConfiguration();
    return (own.empty() ? std::string() : contents(own)) + contents(fullPath(withSeparator(folder) + "dosbox.conf"));
}

}  // namespace win32
