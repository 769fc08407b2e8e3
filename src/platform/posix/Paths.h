#pragma once
// Launcher paths on a POSIX file system. The game's files come from DOS
// media, so names are matched case-insensitively where the exact name does
// not exist.

#include <string>

namespace posix {

// Maps a launcher path (".\\ENGINE\\VORNHL.CFG") onto the file system below
// `base`: backslashes become slashes, and each component that does not exist
// in its exact case takes the first directory entry that matches it with the
// ASCII letters folded. Components that match nothing are kept as written, so
// a new file lands inside the directory that exists, whatever its case.
std::string resolvePath(const std::string& path, const std::string& base);

// The folder that holds `path` ("." for a bare name, "/" at the root).
std::string directoryOf(const std::string& path);

// True when something (a link included) exists at `path`.
bool exists(const std::string& path);

// The runtime's text for an I/O failure with errno `error`.
std::string ioErrorText(int error);

}  // namespace posix
