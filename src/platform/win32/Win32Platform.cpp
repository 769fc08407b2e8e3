#include "platform/win32/Win32Platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace win32 {

namespace {
// Some calls fail without setting an error; never report that as success.
unsigned long lastError()
{
    const DWORD error = ::GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

// The folder that holds `path`, as a path of its own ("." for a bare name).
// The separator stays on, so "C:\\X" gives the root "C:\\", not the drive's
// current directory "C:".
std::string directoryOf(const std::string& path)
{
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator + 1);
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The predefined roots are sign-extended handle values on 64-bit Windows, so
// the registry interface's 32-bit constants are mapped, not cast.
HKEY toHandle(Registry::Key key)
{
    if (key == Registry::ClassesRoot)
        return HKEY_CLASSES_ROOT;
    if (key == Registry::LocalMachine)
        return HKEY_LOCAL_MACHINE;
    return reinterpret_cast<HKEY>(key);
}
}  // namespace

std::string ioErrorText(unsigned long error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return "File not found";
    case ERROR_PATH_NOT_FOUND:
        return "Path not found";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "Too many open files";
    case ERROR_ACCESS_DENIED:
        return "File access denied";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(error);
    }
}

unsigned long replaceFileAtomically(const std::string& target, const std::string& bytes)
{
    const DWORD oldAttributes = ::GetFileAttributesA(target.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
        (oldAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return ERROR_ACCESS_DENIED;
    const std::string directory = directoryOf(target);
    if (!isDirectory(directory))
        return ERROR_PATH_NOT_FOUND;

    char temp[MAX_PATH + 1] = {};
    if (::GetTempFileNameA(directory.c_str(), "vhl", 0, temp) == 0)
        return lastError();
    auto fail = [&](unsigned long error, HANDLE file) {
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
        ::DeleteFileA(temp);
        return error;
    };

    const HANDLE file = ::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return fail(lastError(), file);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - written, 1u << 24));
        DWORD done = 0;
        if (!::WriteFile(file, bytes.data() + written, chunk, &done, nullptr))
            return fail(lastError(), file);
        if (done == 0)
            return fail(ERROR_DISK_FULL, file);
        written += done;
    }
    if (!::FlushFileBuffers(file))
        return fail(lastError(), file);
    if (!::CloseHandle(file))
        return fail(lastError(), INVALID_HANDLE_VALUE);

    // The replacement keeps what the user set on the old file.
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        const DWORD kept = oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
        ::SetFileAttributesA(temp, kept ? kept : FILE_ATTRIBUTE_NORMAL);
    }
    if (!::MoveFileExA(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(lastError(), INVALID_HANDLE_VALUE);
    return 0;
}

long Win32Registry::openKey(Key parent, const std::string& subKey, Key* result)
{
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(toHandle(parent), subKey.c_str(), 0, KEY_READ, &opened);
    if (status == ERROR_SUCCESS)
        *result = reinterpret_cast<Key>(opened);
    return status;
}

long Win32Registry::queryValue(Key key, const std::string& name, char* data, unsigned long* size)
{
    const HKEY handle = toHandle(key);
    if (!data || *size == 0) {
        DWORD needed = 0;
        const LONG status = ::RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, nullptr, &needed);
        if (status == ERROR_SUCCESS && data && needed > 0) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (status == ERROR_SUCCESS)
            *size = needed;
        return status;
    }
    // Windows leaves the caller's buffer undefined when the value does not
    // fit; reading through a buffer of our own keeps it untouched instead.
    std::vector<char> local(*size);
    DWORD got = DWORD(*size);
    const LONG status =
        ::RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(local.data()), &got);
    if (status == ERROR_SUCCESS)
        std::memcpy(data, local.data(), std::min<std::size_t>(got, *size));
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)
        *size = got;
    return status;
}

long Win32Registry::closeKey(Key key) { return ::RegCloseKey(toHandle(key)); }

bool Win32Platform::fileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32Platform::readFile(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw LauncherError("Cannot open file " + path);
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ::CloseHandle(file);
            throw LauncherError("Cannot open file " + path);
        }
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    ::CloseHandle(file);
    return content;
}

void Win32Platform::writeFile(const std::string& path, const std::string& bytes)
{
    if (replaceFileAtomically(path, bytes) != 0)
        throw LauncherError("Cannot create file " + path);
}

void Win32Platform::writeDataFile(const std::string& path, const std::string& bytes)
{
    if (const unsigned long error = replaceFileAtomically(path, bytes))
        throw LauncherError(ioErrorText(error));
}

bool Win32Platform::removeFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

std::string Win32Platform::currentDirectory()
{
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryA(DWORD(buffer.size()), buffer.data());
        if (length == 0)
            return ".";
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);  // it grew in between: the length asked for includes the zero
    }
}

void Win32Platform::setCurrentDirectory(const std::string& path)
{
    if (::SetCurrentDirectoryA(path.c_str()))
        return;
    unsigned long error = lastError();
    // Windows says "file not found" for a missing folder and "invalid
    // directory name" for a file; either way the path leads nowhere.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_DIRECTORY)
        error = ERROR_PATH_NOT_FOUND;
    throw LauncherError(ioErrorText(error));
}

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

void Win32Platform::quit()
{
    if (quit_)
        quit_();
    else
        ::PostQuitMessage(0);
}

}  // namespace win32
