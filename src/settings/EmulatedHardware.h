#pragma once
// The PC the game's settings name, for DOSBox to emulate: read from the
// settings file's lines the way the audio and misc dialogs would show them,
// so the card, port, interrupt and channels are the ones the player picked.

#include "dosbox/DosBox.h"
#include "settings/SettingsLines.h"

namespace settings {

// A key that is missing, empty or no integer where one is due names
// nothing, and DOSBox keeps its own value for it.
dosbox::Hardware emulatedHardware(const LineBuffer& lines);

}  // namespace settings
