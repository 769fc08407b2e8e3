#pragma once
// Starting programs on POSIX systems: the game and its network driver (DOS
// programs, run in DOSBox) and the web browser (the desktop's opener).

#include <string>
#include <vector>

namespace posix {

// True for a file the host can run by itself: executable, and either a
// native binary or a script with a "#!" line.
bool isHostExecutable(const std::string& path);

// True for a DOS program: a name ending in ".EXE", ".COM" or ".BAT", any case.
bool isDosProgramName(const std::string& path);

// The first executable file called `name` in the directories of $PATH, or
// empty text; empty entries are skipped. A name with a slash is taken as it
// is when it can be run.
std::string findOnPath(const std::string& name);

// Starts `program` with `arguments` (no shell: every byte reaches it as it
// is), detached so that it outlives the launcher and is never waited for. It
// inherits the current directory and the environment; with an `output`
// file, its standard output and error go there, a new file each time with
// the earlier ones kept under numbered names (ShortNames.h); a file that
// cannot be made leaves them as they are. True when the program could
// be executed; otherwise `*error` (when given) receives exec's errno.
bool startDetached(const std::string& program, const std::vector<std::string>& arguments, int* error = nullptr,
                   const std::string& output = {});

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

}  // namespace posix
