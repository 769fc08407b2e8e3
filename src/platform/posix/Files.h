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
// gives, which is never changed here. A mode the new file already has is not
// set again (a shared drive refuses any).
//
// Refused (EACCES) before anything is written: a file the process may not
// open for writing, and a file with no write permission at all, even for
// root. The file is written in place instead (the whole new content, flushed,
// then its length set) where a replacement could not be the same file:
// where the folder takes no new file, where the replacement could not be
// given the old file's owner, group or mode, where the file has more than one
// name (the others would keep the old content), and where it carries an
// access list. The list stays exactly as it is that way, with no library to
// copy it and nothing to go wrong between the copy and the rename, which
// would otherwise have to set the list's mask and not the group's bits.
//
// The temporary file is named after the target, ".vornhale-tmp-" and six
// random letters or digits ("VORNHL.CFG.vornhale-tmp-k3Xq9Z"), so a user who
// finds one knows whose it is, and stays locked (flock) while it is written.
// Each save first removes what saves of the same target killed half-way left
// behind: regular files of exactly that pattern, of this user or of the
// target's owner, that no save holds locked. Temporary files of the 1.0
// release (the target, a dot and six random letters or digits) are left
// alone, since a user's own "VORNHL.CFG.backup" has that form too.
int saveFile(const std::string& target, const std::string& bytes);

}  // namespace posix
