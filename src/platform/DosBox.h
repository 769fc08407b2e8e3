#pragma once
// The game and its network driver are DOS programs. Where the system cannot
// run one (Linux, 64-bit Windows), the launcher starts it in DOSBox, which
// mounts the program's folder as drive C:, runs it and ends with it. Both
// platforms build DOSBox's arguments here, so they start it alike.

#include <string>
#include <vector>

namespace dosbox {

// What DOSBox receives after its own name to run `program`, a full path.
inline std::vector<std::string> arguments(const std::string& program) { return {program, "-exit"}; }

}  // namespace dosbox
