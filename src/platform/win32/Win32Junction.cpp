#include "platform/win32/Win32Junction.h"

#include "platform/win32/Win32Calls.h"

#include <winioctl.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace win32 {

namespace {
// The mount-point form of the system's reparse data (ntifs.h, which user
// programs do not get).
struct MountPoint {
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substituteOffset, substituteLength, printOffset, printLength;
    WCHAR paths[1];
};
constexpr std::size_t Header = offsetof(MountPoint, paths);
constexpr std::size_t DataHeader = offsetof(MountPoint, substituteOffset);

std::wstring wide(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0);
    std::wstring result(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), result.data(), length);
    return result;
}

HANDLE openJunction(const std::string& link, DWORD access)
{
    return ::CreateFileA(link.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Where the junction at `link` leads, as the system stores it ("\??\C:\...").
std::wstring leadsTo(const std::string& link)
{
    const HANDLE file = openJunction(link, 0);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::vector<char> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD got = 0;
    const BOOL read = ::DeviceIoControl(file, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(), DWORD(buffer.size()),
                                        &got, nullptr);
    ::CloseHandle(file);
    const auto* point = reinterpret_cast<const MountPoint*>(buffer.data());
    if (!read || got < Header || point->tag != IO_REPARSE_TAG_MOUNT_POINT)
        return {};
    return std::wstring(point->paths + point->substituteOffset / sizeof(WCHAR), point->substituteLength / sizeof(WCHAR));
}

std::string systemShortName(const std::string& folder)
{
    std::vector<char> shortName(folder.size() + 1);
    DWORD length = ::GetShortPathNameA(folder.c_str(), shortName.data(), DWORD(shortName.size()));
    if (length >= shortName.size()) {
        shortName.resize(length + 1);
        length = ::GetShortPathNameA(folder.c_str(), shortName.data(), DWORD(shortName.size()));
    }
    return std::string(shortName.data(), length < shortName.size() ? length : 0);
}
}  // namespace

ShortNameCall shortNameCall = systemShortName;

unsigned long placeJunction(const std::string& folder, const std::string& link)
{
    const std::wstring substitute = L"\\??\\" + wide(folder), print = wide(folder);
    if (leadsTo(link) == substitute) {
        // Marked as just used, so a clean-up leaves it to this start.
        const HANDLE file = openJunction(link, FILE_WRITE_ATTRIBUTES);
        FILETIME now;
        ::GetSystemTimeAsFileTime(&now);
        if (file != INVALID_HANDLE_VALUE) {
            ::SetFileTime(file, nullptr, nullptr, &now);
            ::CloseHandle(file);
        }
        return 0;
    }
    ::RemoveDirectoryA(link.c_str());
    if (!::CreateDirectoryA(link.c_str(), nullptr))
        return lastError();
    const std::size_t pathBytes = (substitute.size() + 1 + print.size() + 1) * sizeof(WCHAR);
    std::vector<char> buffer(Header + pathBytes, 0);
    auto* point = reinterpret_cast<MountPoint*>(buffer.data());
    point->tag = IO_REPARSE_TAG_MOUNT_POINT;
    point->dataLength = WORD(Header - DataHeader + pathBytes);
    point->substituteLength = WORD(substitute.size() * sizeof(WCHAR));
    point->printOffset = WORD(point->substituteLength + sizeof(WCHAR));
    point->printLength = WORD(print.size() * sizeof(WCHAR));
    std::memcpy(point->paths, substitute.c_str(), point->substituteLength);
    std::memcpy(reinterpret_cast<char*>(point->paths) + point->printOffset, print.c_str(), point->printLength);
    const HANDLE file = openJunction(link, GENERIC_READ | GENERIC_WRITE);
    DWORD ignored = 0;
    const BOOL made = file != INVALID_HANDLE_VALUE &&
                      ::DeviceIoControl(file, FSCTL_SET_REPARSE_POINT, buffer.data(), DWORD(buffer.size()), nullptr, 0,
                                        &ignored, nullptr);
    const unsigned long error = made ? 0 : lastError();
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (error)
        ::RemoveDirectoryA(link.c_str());
    return error;
}

void cleanUpOnce(const std::string& folder)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    const ULONGLONG day = 24ull * 60 * 60 * 10000000;
    const std::string base = folder.back() == '\\' ? folder : folder + "\\";
    for (const char* pattern : {"dosbox-*.conf", "game-*"}) {
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((base + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (ticks(now) - ticks(found.ftLastWriteTime) < day)
                continue;
            const std::string path = base + found.cFileName;
            // A junction goes without what it leads to. DOSBox reads its
            // configuration only as it starts, and every start touches the
            // junction it uses.
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                    ::RemoveDirectoryA(path.c_str());
            } else {
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
}

}  // namespace win32
