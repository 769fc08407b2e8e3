#pragma once
// Saving files on POSIX systems without ever leaving a half-written one.

#include <string>

namespace posix {

// Writes `bytes` to a temporary file beside `target` and renames it over the
// target only after every byte is written and flushed. A target without any
// write permission is refused (EACCES) even for root. Returns 0 or an errno.
int replaceFileAtomically(const std::string& target, const std::string& bytes);

}  // namespace posix
