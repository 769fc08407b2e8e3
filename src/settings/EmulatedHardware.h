#pragma once
// The PC the game's settings name, for DOSBox to emulate: read from the
// settings file's lines the way the audio and misc dialogs would show them,
// so the card, port, interrupt and channels are the ones the player picked.

#include "dosbox/DosBox.h"
#include "settings/SettingsLines.h"

namespace settings {

// A key that is missing, empty or no integer where one is due names
// nothing, and DOSBox keeps its own value for it.
// A value the player wrote into the file by hand is passed on where DOSBox
// can emulate it, though the audio dialog cannot show it ("BlasterInterrupt
// = 9"); elsewhere DOSBox gets what the dialog shows.
dosbox::Hardware emulatedHardware(const LineBuffer& lines);

// For the audio dialog: the first hand-written Sound Blaster value that it
// cannot show and DOSBox cannot emulate; empty text when there is none.
std::string unemulatedNote(const LineBuffer& lines);

}  // namespace settings
