#pragma once
// Saving files on POSIX systems without ever leaving a half-written one, and
// without changing what the saved file is: where it lives, who owns it, who
// may read it.

#include <string>

namespace posix {

// Saves `bytes` as the whole content of `target`. Returns 0 or an errno.
//
// A symbolic link is followed to its final target, which is saved; the link
// stays. The new content goes to a temporary file beside that target, is
// flushed and renamed over it, and the folder is flushed after the rename.
// The replacement keeps the old file's owner, group and mode (less the
// set-user and set-group bits); a new file gets the mode the process's umask
// gives, which is never changed here.
//
// Refused (EACCES) before anything is written: a file the process may not
// open for writing, and a file with no write permission at all, even for
// root. Where the folder takes no new file, or the replacement could not be
// given the old file's owner and group, the file is written in place instead:
// the whole new content, flushed, then its length set.
int saveFile(const std::string& target, const std::string& bytes);

}  // namespace posix
