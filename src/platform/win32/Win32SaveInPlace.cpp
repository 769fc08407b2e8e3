#include "platform/win32/Win32SaveInPlace.h"

#include "core/Text.h"
#include "platform/win32/Win32Calls.h"

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <cstdio>

namespace win32 {

std::string copyBeside(const std::string& target) { return target + ".vornhale-undo"; }

std::string copyInTemp(const std::string& target)
{
    char full[MAX_PATH + 1] = {}, temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetFullPathNameA(target.c_str(), sizeof full, full, nullptr);
    const DWORD tempLength = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length > MAX_PATH || tempLength == 0 || tempLength > MAX_PATH)
        return {};
    // Over the path in one case: Windows names one file in any case.
    return std::string(temp, tempLength) + "vornhale-undo-" + text::fingerprint(text::upperAscii(full));
}

unsigned long writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - written, 1u << 24));
        DWORD done = 0;
        if (!::WriteFile(file, bytes.data() + written, chunk, &done, nullptr))
            return lastError();
        if (done == 0)
            return ERROR_DISK_FULL;
        written += done;
    }
    return 0;
}

namespace {
unsigned long readAll(HANDLE file, std::string& content)
{
    LARGE_INTEGER start = {};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return lastError();
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr))
            return lastError();
        if (got == 0)
            return 0;
        content.append(buffer, got);
    }
}

// `content` as the whole of the open file, flushed.
unsigned long replaceContent(HANDLE file, const std::string& content)
{
    LARGE_INTEGER start = {}, size;
    size.QuadPart = LONGLONG(content.size());
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return lastError();
    if (const unsigned long error = writeAll(file, content))
        return error;
    if (!::FlushFileBuffers(file) || !::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) || !::SetEndOfFile(file) ||
        !::FlushFileBuffers(file))
        return lastError();
    return 0;
}

// A whole, flushed copy at `copy`, written under another name and moved.
unsigned long keepCopy(const std::string& copy, const std::string& content)
{
    const std::string temp = copy + ".new";
    const HANDLE file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    unsigned long error = writeAll(file, content);
    if (!error && !::FlushFileBuffers(file))
        error = lastError();
    ::CloseHandle(file);
    if (!error && !::MoveFileExA(temp.c_str(), copy.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = lastError();
    if (error)
        ::DeleteFileA(temp.c_str());
    return error;
}

// The file open for reading and writing, shared with readers only: a second
// launcher's save waits (about a second) until this one is done.
HANDLE openHeld(const std::string& target, unsigned long& error)
{
    for (int attempt = 0;; ++attempt) {
        const HANDLE file = ::CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? lastError() : 0;
        if (file != INVALID_HANDLE_VALUE || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) ||
            attempt == 20)
            return file;
        ::Sleep(50);
    }
}
}  // namespace

unsigned long writeInPlace(const std::string& target, const std::string& bytes, std::string& reason)
{
    unsigned long error = 0;
    const HANDLE file = openHeld(target, error);
    if (file == INVALID_HANDLE_VALUE)
        return error;
    std::string old, copy = copyBeside(target);
    error = readAll(file, old);
    bool copied = false;
    if (!error && keepCopy(copy, old) != 0) {
        copy = copyInTemp(target);
        error = copy.empty() ? ERROR_ACCESS_DENIED : keepCopy(copy, old);
    }
    copied = !error;
    if (!error && bytes.size() > old.size()) {
        // Room for the longer content, claimed without moving its end, so a
        // full disk refuses it before a byte is overwritten.
        FILE_ALLOCATION_INFO room;
        room.AllocationSize.QuadPart = LONGLONG(bytes.size());
        if (!::SetFileInformationByHandle(file, FileAllocationInfo, &room, sizeof room) &&
            ::GetLastError() == ERROR_DISK_FULL)
            error = ERROR_DISK_FULL;
    }
    if (error) {
        if (copied)
            ::DeleteFileA(copy.c_str());
        ::CloseHandle(file);
        return error;
    }
    error = replaceContent(file, bytes);
    if (error && replaceContent(file, old) != 0)
        reason = "its earlier content is kept in \"" + copy + "\"";
    else
        ::DeleteFileA(copy.c_str());
    ::CloseHandle(file);
    return error;
}

bool restoreFromCopy(const std::string& target)
{
    const std::string copies[] = {copyBeside(target), copyInTemp(target)};
    if (std::none_of(std::begin(copies), std::end(copies), [](const std::string& copy) {
            return !copy.empty() && ::GetFileAttributesA(copy.c_str()) != INVALID_FILE_ATTRIBUTES;
        }))
        return false;
    // Held first: a copy still there once a running save is done is one
    // that a save cut short left.
    unsigned long error = 0;
    const HANDLE file = openHeld(target, error);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool restored = false;
    for (const std::string& copy : copies) {
        const HANDLE saved = copy.empty() || restored
                                 ? INVALID_HANDLE_VALUE
                                 : ::CreateFileA(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (saved == INVALID_HANDLE_VALUE)
            continue;
        std::string content;
        error = readAll(saved, content);
        ::CloseHandle(saved);
        restored = !error && replaceContent(file, content) == 0 && ::DeleteFileA(copy.c_str());
    }
    ::CloseHandle(file);
    return restored;
}

}  // namespace win32
