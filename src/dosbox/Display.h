#pragma once
// How DOSBox shows the game. Left to itself, DOSBox 0.74 opens the game's
// 320 x 200 mode in a 640 x 400 window: a third of a common screen's
// height, and flatter than the 4:3 picture the game was drawn for. So the
// launcher's configuration asks for an output that scales, a window as
// large as fits at 4:3, and a full screen at the desktop's resolution that
// keeps 4:3 with borders; the game's 640 x 480 and 800 x 600 modes fill the
// same window.
//
// The player's own DOSBox configuration (and a dosbox.conf beside the
// program), loaded before the launcher's, may already say how to show the
// game. Until the player picks "Window" or "Full screen" in the launcher,
// every display key such a file sets away from DOSBox's default stays as
// the file says, and the launcher fills in only the others.

#include <string>
#include <string_view>
#include <vector>

namespace dosbox {

// The player's pick in the video dialog. "Unpicked" is before any pick.
enum class DisplayChoice {
    Unpicked,      // "Window", except where the player's configuration sets a display key
    Window,        // a 4:3 window as large as fits
    FullScreen,    // the whole screen at the desktop's resolution, 4:3 kept
    AsConfigured,  // nothing of the display: DOSBox's configuration says
};

// A screen's size in physical pixels; zero where unknown.
struct Screen {
    int width = 0;
    int height = 0;
    bool operator==(const Screen&) const = default;
};

// The largest 4:3 size within 85 % of `screen`'s height and 95 % of its
// width, leaving room for the window's frame and the desktop's panels; zero
// for an unknown screen.
Screen windowSize(Screen screen);

// What the launcher's configuration says of the display at one start. The
// default writes nothing.
struct Display {
    DisplayChoice choice = DisplayChoice::AsConfigured;
    Screen screen;                     // the screen the launcher shows on
    std::string playerConfigurations;  // the texts DOSBox loads before the launcher's, one after another
};

// The display keys (among fullscreen, fullresolution, windowresolution,
// output, aspect and scaler) that `configurations` set to something other
// than DOSBox's default, each once, in that order. Later lines win, as in
// DOSBox; keys outside [sdl] and [render], comments and [autoexec] are not
// display keys.
std::vector<std::string> displayKeysSet(std::string_view configurations);

// The [sdl] and [render] lines of the launcher's configuration for `display`.
std::string displayLines(const Display& display);

}  // namespace dosbox
