#pragma once
// What the launcher keeps in its own folder for DOSBox on POSIX systems (the
// short names of folders DOSBox cannot mount, the configuration files, the
// logs), kept small and never shared between two DOSBoxes.

#include <string>

namespace posix {

// Makes `link` name `folder`: a link that already does is kept (and marked
// as just used), any other is replaced in one step by a link made under a
// temporary name, so a second start at the same moment finds one or the
// other, never none. Returns 0 or an errno.
int placeLink(const std::string& folder, const std::string& link);

// Once per run of the launcher: removes from `folder` the configuration
// files ("dosbox-*.conf") and short names ("game-*") of earlier starts that
// are older than a day and that no running program names on its command
// line, and the temporary files of starts killed half-way.
void cleanUpOnce(const std::string& folder);
// The same, every time it is called.
void cleanUp(const std::string& folder);

// Opens a new log at `path` for writing, not through a link. Earlier logs
// move up to numbered names ("dosbox.log" to "dosbox.1.log", and so on to
// "dosbox.4.log", the oldest, which goes), so a DOSBox still writing one
// keeps its own. Returns the descriptor or -1.
int openLog(const std::string& path);

}  // namespace posix
