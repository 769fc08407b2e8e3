#pragma once
// Saving over the old content of a file on Windows, where the replacement
// cannot be made (a folder that takes no new file, ReplaceFileA refused while
// the old file stands), undoably: the old content is kept in a flushed copy
// until the new content is whole, and put back when a step fails or, after a
// crash or a power cut, the next time the launcher reads the file.

#include "platform/win32/Win32Calls.h"

#include <string>

namespace win32 {

// Writes all of `bytes` at the file's position. Returns 0 or a Win32 error.
unsigned long writeAll(HANDLE file, const std::string& bytes);

// Where the old content of `target` waits: beside it ("VORNHL.CFG.vornhale-
// undo"), or, where its folder takes no new file, in the user's temporary
// folder under a name made from the target's full path.
std::string copyBeside(const std::string& target);
std::string copyInTemp(const std::string& target);

// Writes `bytes` over `target`, holding it against other writers (no write
// sharing) throughout. Returns 0 or a Win32 error; where even the old content
// could not be put back, `reason` names the copy that holds it.
unsigned long writeInPlace(const std::string& target, const std::string& bytes, std::string& reason);

// Puts back the content a copy left by a save cut short holds, and removes
// the copy. True when there was one and it was put back.
bool restoreFromCopy(const std::string& target);

}  // namespace win32
