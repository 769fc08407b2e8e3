#pragma once
// A junction: a folder of the launcher's own that leads to another folder,
// the Windows way of giving DOSBox a folder it cannot mount (a name with a
// percent sign, a path longer than 238 bytes) where the volume keeps no short
// (8.3) names, as volumes other than the system's often do not.

#include <string>

namespace win32 {

// Makes `link` a junction to `folder` (a full path): one that already leads
// there is kept, any other is made anew. Returns 0 or a Win32 error.
unsigned long placeJunction(const std::string& folder, const std::string& link);

// Once per run: removes from the launcher's `folder` the configuration files
// ("dosbox-*.conf") and junctions ("game-*") older than a day.
void cleanUpOnce(const std::string& folder);

// The folder's short (8.3) name, or empty text where it has none. A test puts
// a stand-in here for a volume without short names.
using ShortNameCall = std::string (*)(const std::string& folder);
extern ShortNameCall shortNameCall;

}  // namespace win32
