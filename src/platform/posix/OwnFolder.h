#pragma once
// The launcher's own folder on POSIX systems: what it gives DOSBox (its
// configuration files, the logs, the short names of folders DOSBox cannot
// mount) and the copies that make an in-place save undoable. Only the player
// may write it, so no other user can swap what DOSBox reads or make a log
// write into another file.

#include <string>

namespace posix {

// The desktop's cache ($XDG_CACHE_HOME, else ~/.cache, the home taken from
// the password database where $HOME is unset or relative) holds "vornhale".
// Where that cannot be made or written, a folder of the player's own in
// /tmp ("/tmp/vornhale-1000") is used: made with mode 0700, and taken only
// while it is the player's, no link, and closed to others. Made when missing
// (with `make`); empty text, with `problem` saying what could not be made,
// when neither will do.
std::string ownFolder(std::string& problem, bool make = true);

}  // namespace posix
