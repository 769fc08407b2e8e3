#pragma once
// The launcher on its home platform. Launcher paths (".\\ENGINE\\VORNHL.CFG")
// are already Windows paths, so they go to the ANSI calls unchanged: 8-bit
// names in the system's code page, file contents as raw bytes.
//
// This part uses Win32 only. What belongs to the user-interface toolkit (the
// window that owns the browser start, how the application ends) comes in
// through the two hooks, so the Windows test program links no toolkit.

#include "platform/Platform.h"
#include "network/PortMapping.h"
#include "network/Sockets.h"

#include <cstdint>
#include <functional>
#include <string>

namespace win32 {

// The runtime's text for a failed file operation with Win32 error `error`.
std::string ioErrorText(unsigned long error);

// Saves `bytes` as the whole content of `target`; 0 or a Win32 error code.
// A symbolic link is followed to the file it finally names, which is saved.
// The content goes to a temporary file beside that file, is flushed to the
// disk and only then takes the file's place: through ReplaceFileA where the
// file exists (its attributes and security stay), through MoveFileExA where
// it does not. A failure before ReplaceFileA, or one that leaves the old file
// in its place, leaves it as it was and no temporary file behind. Where
// ReplaceFileA stops half-way with the old file gone from its name
// (ERROR_UNABLE_TO_MOVE_REPLACEMENT, or _2 with the old file under another
// name), the temporary file is moved into its place; where that fails too,
// the temporary file stays, as the only whole copy, and the error is
// ReplaceFileA's. Refused: a read-only file, a directory, and a file the
// user may not open for writing. Where the folder takes no new file, or
// ReplaceFileA fails with the old file still in its place, the file is
// written in place instead, undoably (Win32SaveInPlace.h), with `reason`
// naming the copy of the old content where that could not be put back.
// Temporary files ("vhl*.tmp") that saves killed half-way left in the
// folder are removed once they are a minute old. While another program holds the file
// (a virus scanner, say), the save is tried again for about a second.
unsigned long saveFile(const std::string& target, const std::string& bytes, std::string* reason = nullptr);

// The step of saveFile that puts the new content in the old file's place:
// ReplaceFileA with no backup name, giving 0 or its Win32 error. A test puts a
// stand-in here that stops half-way as ReplaceFileA may, and then puts back
// what it found.
using ReplaceFileCall = unsigned long (*)(const char* replaced, const char* replacement);
extern ReplaceFileCall replaceFileCall;

class Win32Registry : public Registry {
public:
    // Keys are opened for reading only: an ordinary user may not open
    // HKEY_LOCAL_MACHINE or the machine-wide classes with full access.
    long openKey(Key parent, const std::string& subKey, Key* result) override;
    long queryValue(Key key, const std::string& name, char* data, unsigned long* size) override;
    long closeKey(Key key) override;
};

class Win32Platform : public Platform {
public:
    using WindowHandle = std::uintptr_t;  // an HWND; 0 = no owner

    // The window that owns message boxes the shell may show while starting
    // the browser. Asked at each start, since windows come and go.
    void setOwnerWindow(std::function<WindowHandle()> owner) { owner_ = std::move(owner); }
    // Ends the user-interface loop. Without a hook, the thread's message loop
    // is asked to end (PostQuitMessage).
    void setQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }

    bool fileExists(const std::string& path) override;
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void writeDataFile(const std::string& path, const std::string& bytes) override;
    bool removeFile(const std::string& path) override;
    std::string recoverInterruptedSave(const std::string& path) override;
    std::string currentDirectory() override;
    void setCurrentDirectory(const std::string& path) override;
    char pathSeparator() const override { return '\\'; }
    void startProgram(const std::string& commandLine, int show) override;
    bool startsInDosBox(const std::string& commandLine, const std::string& folder) override;
    void startProgramWith(const std::string& commandLine, int show, const dosbox::Setup& setup) override;
    std::string dosBoxFolder() override;
    std::string playerDosBoxConfigurations(const std::string& folder) override;
    int shellExecute(const std::string& file, const std::string& parameters, int show) override;
    Registry& registry() override { return registry_; }
    std::shared_ptr<Router> router() override { return router_; }
    bool portFree(Protocol protocol, int port) override { return sockets::portFree({protocol, port}); }
    void quit() override;

private:
    Win32Registry registry_;
    std::shared_ptr<Router> router_ = makeHomeRouter();
    std::function<WindowHandle()> owner_;
    std::function<void()> quit_;
};

}  // namespace win32
