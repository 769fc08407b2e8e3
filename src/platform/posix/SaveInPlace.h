#pragma once
// The second way a save goes on POSIX systems: over the old content of the
// file itself, where a new file in its place could not be the same file
// (Files.h says when).

#include <string>
#include <sys/types.h>

namespace posix {

// Writes all of `bytes` to `fd` from `offset`, however the system splits the
// writes. Returns 0 or an errno.
int writeAll(int fd, const std::string& bytes, off_t offset);

// Writes the file open as `fd` in place, replacing its `oldSize` bytes.
// Returns 0 or an errno.
int writeInPlace(int fd, const std::string& bytes, off_t oldSize);

// Whether the open file carries an access list beyond its mode bits.
bool hasAccessList(int fd);

}  // namespace posix
