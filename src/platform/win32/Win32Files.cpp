#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Calls.h"

#include <algorithm>

namespace win32 {

namespace {
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
}  // namespace

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

}  // namespace win32
