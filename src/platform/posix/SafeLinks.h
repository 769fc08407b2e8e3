#pragma once
// Following symbolic links only where the kernel's link protection
// (fs.protected_symlinks=1, the default on most systems) would follow them,
// whatever this machine's own setting: in a folder that others may write, a
// link is taken only when it is the user's own or the folder owner's.
// Another user could otherwise swap a settings file for a link to a private
// file of the player's and have the launcher read or overwrite that file.

#include <string>

namespace posix {

// Replaces `path` (a full path, from the root) by the path it names with every link in it
// followed; the last components may not exist yet (a new file). Returns 0,
// or an errno with `reason` saying why in the player's words: EACCES for a
// link the protection refuses, ELOOP for too many links.
int followLinksSafely(std::string& path, std::string& reason);

}  // namespace posix
