#pragma once
// The launcher on Linux and other POSIX systems. The game's files come from
// DOS media, so names are matched case-insensitively where the exact name
// does not exist.

#include "platform/Platform.h"

#include <string>

namespace posix {

// Maps a launcher path (".\\ENGINE\\VORNHL.CFG") onto the file system below
// `base`: backslashes become slashes, and each component that does not exist
// in its exact case takes the first directory entry that matches it with the
// ASCII letters folded. Components that match nothing are kept as written, so
// a new file lands inside the directory that exists, whatever its case.
std::string resolvePath(const std::string& path, const std::string& base);

// The runtime's text for an I/O failure with errno `error`.
std::string ioErrorText(int error);

// Writes `bytes` to a temporary file beside `target` and renames it over the
// target only after every byte is written and flushed. A target without any
// write permission is refused (EACCES) even for root. Returns 0 or an errno.
int replaceFileAtomically(const std::string& target, const std::string& bytes);

// True for a file the host can run by itself: executable, and either a
// native binary or a script with a "#!" line.
bool isHostExecutable(const std::string& path);

class PosixRegistry : public Registry {
public:
    long openKey(Key parent, const std::string& subKey, Key* result) override;
    long queryValue(Key key, const std::string& name, char* data, unsigned long* size) override;
    long closeKey(Key key) override;
};

class PosixPlatform : public Platform {
public:
    bool fileExists(const std::string& path) override;
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void writeDataFile(const std::string& path, const std::string& bytes) override;
    bool removeFile(const std::string& path) override;
    std::string currentDirectory() override;
    void setCurrentDirectory(const std::string& path) override;
    char pathSeparator() const override { return '/'; }
    void startProgram(const std::string& commandLine, int show) override;
    int shellExecute(const std::string& file, const std::string& parameters, int show) override;
    Registry& registry() override { return registry_; }
    void quit() override;

    // Where the program search looks first (the launcher's own directory).
    std::string ownDirectory() const;

private:
    std::string resolve(const std::string& path);
    PosixRegistry registry_;
};

}  // namespace posix
