#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Calls.h"
#include "platform/win32/Win32SaveInPlace.h"

#include <algorithm>
#include <cstdint>

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

bool isFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Another program (a virus scanner, a backup) holding the file for a moment.
bool heldByAnotherProgram(unsigned long error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Runs `step` (0 or a Win32 error) again while another program holds the
// file, for about a second, and returns its last result.
template <typename Step>
unsigned long retried(Step step)
{
    for (int attempt = 0;; ++attempt) {
        const unsigned long error = step();
        if (!heldByAnotherProgram(error) || attempt == 20)
            return error;
        ::Sleep(50);
    }
}

// The file a symbolic link (or a chain of them) finally names; the path
// itself for anything else, and for a file that does not exist yet.
std::string finalPath(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    const HANDLE file = ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    char buffer[32768];
    const DWORD length = ::GetFinalPathNameByHandleA(file, buffer, sizeof buffer, FILE_NAME_NORMALIZED);
    ::CloseHandle(file);
    if (length == 0 || length >= sizeof buffer)
        return path;
    std::string final(buffer, length);
    // "\\?\C:\..." and "\\?\UNC\server\..." back to the paths every call takes.
    if (final.rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\" + final.substr(7);
    if (final.rfind("\\\\?\\", 0) == 0)
        return final.substr(4);
    return final;
}

}  // namespace

ReplaceFileCall replaceFileCall = [](const char* replaced, const char* replacement) -> unsigned long {
    return ::ReplaceFileA(replaced, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
               ? 0
               : lastError();
};

namespace {
// Removes the temporary files of saves killed half-way in `directory`: those
// of GetTempFileNameA's "vhl" pattern older than a minute. One a running save
// holds open cannot be deleted and stays.
void removeLeftovers(const std::string& directory)
{
    const std::string folder = directory.empty() || directory.back() == '\\' || directory.back() == '/'
                                   ? directory
                                   : directory + "\\";
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder + "vhl*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            ticks(now) - ticks(found.ftLastWriteTime) > 60ull * 10000000ull)
            ::DeleteFileA((folder + found.cFileName).c_str());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}
}  // namespace

unsigned long saveFile(const std::string& path, const std::string& bytes, std::string* reasonOut)
{
    std::string ignored;
    std::string& reason = reasonOut ? *reasonOut : ignored;
    const std::string target = finalPath(path);
    // What a save cut short left is put right before anything else.
    restoreFromCopy(target);
    const DWORD oldAttributes = ::GetFileAttributesA(target.c_str());
    const bool replacing = oldAttributes != INVALID_FILE_ATTRIBUTES;
    if (replacing) {
        if (oldAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
            return ERROR_ACCESS_DENIED;
        // Whether the user may write the file is the system's to say (its
        // access list), not the attributes'.
        if (const unsigned long error = retried([&]() -> unsigned long {
                const HANDLE file = ::CreateFileA(target.c_str(), GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (file == INVALID_HANDLE_VALUE)
                    return lastError();
                ::CloseHandle(file);
                return 0;
            }))
            return error;
    }
    const std::string directory = directoryOf(target);
    if (!isDirectory(directory))
        return ERROR_PATH_NOT_FOUND;

    removeLeftovers(directory);
    char temp[MAX_PATH + 1] = {};
    if (::GetTempFileNameA(directory.c_str(), "vhl", 0, temp) == 0) {
        const unsigned long error = lastError();
        return replacing && error == ERROR_ACCESS_DENIED ? writeInPlace(target, bytes, reason) : error;
    }
    auto fail = [&](unsigned long error, HANDLE file) {
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
        ::DeleteFileA(temp);
        return error;
    };

    const HANDLE file = ::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return fail(lastError(), file);
    if (const unsigned long error = writeAll(file, bytes))
        return fail(error, file);
    if (!::FlushFileBuffers(file))
        return fail(lastError(), file);
    if (!::CloseHandle(file))
        return fail(lastError(), INVALID_HANDLE_VALUE);

    const auto moveIntoPlace = [&]() -> unsigned long {
        return ::MoveFileExA(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0
                                                                                                      : lastError();
    };
    if (!replacing) {
        if (const unsigned long error = moveIntoPlace())
            return fail(error, INVALID_HANDLE_VALUE);
        return 0;
    }
    // ReplaceFile gives the new content the old file's attributes and
    // security; the attributes are set here as well for file systems (and
    // Windows emulations) that do not carry them over.
    const DWORD kept = oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    ::SetFileAttributesA(temp, kept ? kept : FILE_ATTRIBUTE_NORMAL);
    // Wine's ReplaceFile fails on a bare file name ("CDA.DAT") with
    // ERROR_DIRECTORY; naming the folder works everywhere.
    const std::string replaced = target.find_first_of("\\/") == std::string::npos ? ".\\" + target : target;
    const unsigned long error = retried([&] { return replaceFileCall(replaced.c_str(), temp); });
    if (error == 0)
        return 0;
    // With the old file still in its place (no right to delete it, a network
    // share that refuses the swap), the temporary file goes and the file is
    // written in place, as it was just shown to be writable. Where
    // ReplaceFileA stopped half-way and no file has the name any more, the
    // temporary file holds the only whole content: it takes the name, or
    // stays where that fails too.
    if (isFile(target)) {
        fail(0, INVALID_HANDLE_VALUE);
        return writeInPlace(target, bytes, reason);
    }
    return retried(moveIntoPlace) == 0 ? 0 : error;
}

bool Win32Platform::fileExists(const std::string& path) { return isFile(path); }

std::string Win32Platform::readFile(const std::string& path)
{
    restoreFromCopy(finalPath(path));
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw errors::cannotOpenFile(path);
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ::CloseHandle(file);
            throw errors::cannotOpenFile(path);
        }
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    ::CloseHandle(file);
    return content;
}

namespace {
LauncherError because(const LauncherError& error, const std::string& reason)
{
    return reason.empty() ? error : LauncherError(std::string(error.what()) + ": " + reason);
}
}  // namespace

void Win32Platform::writeFile(const std::string& path, const std::string& bytes)
{
    std::string reason;
    if (saveFile(path, bytes, &reason) != 0)
        throw because(errors::cannotCreateFile(path), reason);
}

void Win32Platform::writeDataFile(const std::string& path, const std::string& bytes)
{
    std::string reason;
    if (const unsigned long error = saveFile(path, bytes, &reason))
        throw because(LauncherError(ioErrorText(error)), reason);
}

std::string Win32Platform::recoverInterruptedSave(const std::string& path)
{
    if (!restoreFromCopy(finalPath(path)))
        return {};
    return "The launcher was stopped while it saved " + path + ": the file's earlier content has been put back.";
}

bool Win32Platform::removeFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

}  // namespace win32
