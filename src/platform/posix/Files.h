#pragma once
// Saving files on POSIX systems without ever leaving a half-written one, and
// without changing what the saved file is: where it lives, who owns it, who
// may read it.

#include <functional>
#include <string>

#include "platform/posix/Descriptor.h"

namespace posix {

// Saves `bytes` as the whole content of `target`. Returns 0 or an errno.
//
// A symbolic link is followed to its final target, which is saved; the link
// stays. A link the kernel's link protection would not follow is refused
// (SafeLinks.h), with `reason` saying why. The new content goes to a temporary file beside that target, is
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
// An in-place save keeps the old content in a copy until it is done
// (SaveInPlace.h), beside the file or, where the folder takes no new file,
// in `ownFolder()`, the launcher's own folder ("" where it has none).
//
// An existing file stays locked (flock) for the whole save, on either way, so
// two launchers saving one file take turns; after a few seconds of waiting
// the save gives up with EBUSY.
//
// The temporary file is named after the target, ".vornhale-tmp-" and six
// random letters or digits ("VORNHL.CFG.vornhale-tmp-k3Xq9Z"), so a user who
// finds one knows whose it is, and stays locked (flock) while it is written.
// Each save first removes what saves of the same target killed half-way left
// behind: regular files of exactly that pattern, of this user or of the
// target's owner, that no save holds locked. Temporary files of the 1.0
// release (the target, a dot and six random letters or digits) are left
// alone, since a user's own "VORNHL.CFG.backup" has that form too.
int saveFile(const std::string& target, const std::string& bytes, std::string& reason,
             const std::function<std::string()>& ownFolder);

// Locks the open file (`how` is LOCK_EX for a save, LOCK_SH for a read),
// waiting a few seconds for a save that another launcher is making: EBUSY
// then. A file system without locks goes unlocked.
int lockFile(int fd, int how);

// Opens the existing `target` for a save and locks it; a copy that a save
// cut short left behind is put back first. Returns 0 or an errno.
int openForSave(const std::string& target, Descriptor& file, std::string& reason, const std::string& ownFolder);

}  // namespace posix
