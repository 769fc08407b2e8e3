#pragma once
// How the launcher fails: an exception that ends the current event handler
// and reaches the player as the standard error box, with one of the texts
// below. They are the runtime's own texts, written here once for every
// platform and for the tests' fake.

#include <stdexcept>
#include <string>
#include <string_view>

// The text is what the player reads.
struct LauncherError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

namespace errors {

// "Cannot open file %s": a file that exists could not be read.
LauncherError cannotOpenFile(std::string_view path);
// "Cannot create file %s": a file could not be written.
LauncherError cannotCreateFile(std::string_view path);
// "'%s' is not a valid integer value".
LauncherError notAnInteger(std::string_view text);

// The runtime's input/output errors.
enum class Io { FileNotFound, PathNotFound, TooManyOpenFiles, AccessDenied, DiskFull };
std::string ioText(Io error);
// Any other system error code: "I/O error %d".
std::string ioText(long code);

// A program that could not be started: "Cannot start VORNHALE.EXE: " and
// the reason, one of those below or the system's own.
LauncherError cannotStart(std::string_view commandLine, std::string_view reason);
namespace startreason {
inline constexpr const char* NotFound = "the file was not found";
inline constexpr const char* NotAProgram = "it is not a program this system can run";
inline constexpr const char* NoDosBox = "it is a DOS program, which needs DOSBox, and DOSBox was not found";
}  // namespace startreason

}  // namespace errors
