#pragma once
// What a start through DOSBox is given: the launcher's configuration file,
// written into the launcher's own folder for DOSBox, and the log that
// DOSBox's output goes to beside it, a new one at every start, so a game that
// did not start or connect can be looked into afterwards. Where the folder
// cannot be made or written, DOSBox starts without them.

#include "dosbox/DosBox.h"

class Platform;

namespace dosboxstart {

inline constexpr const char* LogName = "dosbox.log";
// Follows the reason where the launcher's own files for DOSBox could not be
// written.
inline constexpr const char* NoExtras =
    ".\n\nDOSBox starts without the launcher's settings for it (the game's sound card, its network) and "
    "without a log.";
// Whether the game starts through DOSBox on this system, also where DOSBox
// would refuse its folder: what DOSBox can emulate matters either way.
bool gameRunsInDosBox(Platform& platform);

// Writes the configuration for `network` (Kind::None for the game alone) on
// `hardware`, showing the game on `screen` as the player picked
// (DosBoxDisplay.h), and says where it and the log are; with the game's CD
// audio on, mounts its CD (cdmount::command). Where the file cannot be
// written, the player is told once and the setup names neither.
dosbox::Setup writeSetup(Platform& platform, const dosbox::Network& network, const dosbox::Hardware& hardware,
                      dosbox::Screen screen = {});

}  // namespace dosboxstart
