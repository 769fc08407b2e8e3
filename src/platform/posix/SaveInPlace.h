#pragma once
// The second way a save goes on POSIX systems: over the old content of the
// file itself, where a new file in its place could not be the same file
// (Files.h says when). Such a save can be undone: the old content is kept in
// a flushed copy until the new content is whole, so a save that fails puts
// it back at once, and one cut short (a crash, a power cut) is put right the
// next time the launcher reads the file.

#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace posix {

// Writes all of `bytes` to `fd` from `offset`, however the system splits the
// writes. Returns 0 or an errno.
int writeAll(int fd, const std::string& bytes, off_t offset);

// Whether the open file carries an access list beyond its mode bits.
bool hasAccessList(int fd);

// Creates a new file named after `target` (Files.cpp), open for writing and
// locked while open, and names it in `name`. Returns the descriptor or -1.
int createBeside(const std::string& target, mode_t mode, std::string& name);

// Where an in-place save of `target` keeps the old content: beside it where
// the folder takes a new file ("VORNHL.CFG.vornhale-undo"), otherwise in the
// launcher's `ownFolder` under a name made from the target's path.
std::string copyBeside(const std::string& target);
std::string copyIn(const std::string& ownFolder, const std::string& target);

// Writes the file open as `fd` (for reading and writing, and locked) in
// place: the old content into a flushed copy, room for a longer content
// claimed without changing the length, the new content written, flushed and
// cut to length, and the copy removed. A step that fails puts the old
// content back before the errno is returned; where even that fails, `reason`
// says which copy holds it.
int writeInPlace(int fd, const std::string& target, const std::string& bytes, const std::string& ownFolder,
                 std::string& reason);

// Puts back into `fd` (the locked `target`) the content that a copy left by
// a save cut short holds, and removes the copy. True when there was one.
bool restoreFromCopy(int fd, const std::string& target, const std::string& ownFolder);

}  // namespace posix
