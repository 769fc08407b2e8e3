#pragma once
// How DOSBox shows the game at a start, from the player's pick in the video
// dialog, the screen the launcher shows on and what the player's own DOSBox
// configurations already say (dosbox/Display.h). The pick is kept in the
// launcher's own configuration (UserConfig), never in the game's settings
// file, which the game itself reads.

#include "dosbox/Display.h"

#include <string>

class Platform;
class QWidget;

namespace dosboxdisplay {

// The player's last pick; Unpicked before any.
dosbox::DisplayChoice picked();
// Keeps `choice` for every later start (Unpicked forgets the pick).
void pick(dosbox::DisplayChoice choice);

// The size, in physical pixels, of the screen `window` is on (or of the
// primary screen), so a desktop scaled to 150 % still gets a window that
// fills its screen.
dosbox::Screen screenOf(const QWidget* window);

// The display for a start of a program from `folder` on `screen`.
dosbox::Display forStart(Platform& platform, const std::string& folder, dosbox::Screen screen);

}  // namespace dosboxdisplay
