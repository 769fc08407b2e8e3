#pragma once
// The game's CD at a start through DOSBox, and what the audio dialog says of
// it. A start never fails for the music: where the image cannot be used, or
// its conversion is cancelled, the player is told and the game starts
// without it.

#include "components/CdImage.h"

#include <QString>

#include <string>

class Platform;

namespace cdmount {

// The command that gives DOSBox the game's CD as drive D: for a start from
// the game folder (the current directory), converting its tracks first where
// needed with the progress window shown; empty text where there is no CD to
// give. A problem with the image goes to the error box, and the start goes on.
std::string command(Platform& platform);

// Where the game's music comes from, in the player's words, for the audio
// dialog's note.
QString note(const cdimage::Image& image);

}  // namespace cdmount
