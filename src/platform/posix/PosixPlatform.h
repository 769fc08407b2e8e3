#pragma once
// The launcher on Linux and other POSIX systems. The game's files come from
// DOS media, so names are matched case-insensitively where the exact name
// does not exist.

#include "platform/Platform.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

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

// True for a DOS program: a name ending in ".EXE", ".COM" or ".BAT", any case.
bool isDosProgramName(const std::string& path);

// The first executable file called `name` in the directories of $PATH, or
// empty text. A name with a slash is taken as it is when it can be run.
std::string findOnPath(const std::string& name);

// Starts `program` with `arguments` (no shell: every byte reaches it as it
// is), detached so that it outlives the launcher and is never waited for. It
// inherits the current directory and the environment. True when the program
// could be executed.
bool startDetached(const std::string& program, const std::vector<std::string>& arguments);

// The host program behind a program path the browser lookup produced (in
// upper case): an executable file at that path, found whatever its case, or
// else, for a bare name such as "XDG-OPEN.EXE", the host program of that name
// without its DOS ending, in lower case, on $PATH ("xdg-open"). Empty text
// when there is none.
std::string hostProgramFor(const std::string& file, const std::string& base);

// Splits ShellExecute-style parameters into arguments. Blanks (spaces and
// tabs) separate them. An argument that starts with a double quote runs to
// the next double quote followed by a blank or the end, and loses both
// quotes, so a quoted path keeps its blanks and even a quote of its own;
// every other character, a backslash included, is taken as it is.
std::vector<std::string> splitParameters(const std::string& parameters);

// The command the POSIX registry gives for HTML documents: the desktop's
// opener, named the way a Windows command line names its program, so the
// browser lookup and the splitting of its command run as they do on Windows
// and shellExecute turns the name back into "xdg-open".
inline constexpr const char* HtmlOpenCommand = "XDG-OPEN.EXE %1";

// There is no registry on POSIX systems. This one holds only what the
// launcher asks for on a desktop: under HKEY_CLASSES_ROOT the four HTML
// extensions name the type "htmlfile", whose "shell\open\command" is
// HtmlOpenCommand. Everything else (the modem class under
// HKEY_LOCAL_MACHINE among it) is missing.
class PosixRegistry : public Registry {
public:
    PosixRegistry();
    long openKey(Key parent, const std::string& subKey, Key* result) override;
    long queryValue(Key key, const std::string& name, char* data, unsigned long* size) override;
    long closeKey(Key key) override;

private:
    // Upper-case key paths below HKEY_CLASSES_ROOT and their default values.
    std::map<std::string, std::optional<std::string>> keys_;
    std::map<Key, std::string> open_;
    Key next_ = 1;
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
    std::string ownDirectory();

private:
    std::string resolve(const std::string& path);
    PosixRegistry registry_;
};

}  // namespace posix
