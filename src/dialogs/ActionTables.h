#pragma once
// The fixed vocabularies of the control setup: the actions the keyboard
// dialog binds keys to, the actions a mouse or joystick button can perform,
// and the keys the key picker offers, with the text forms the game's settings
// file uses for them. Plain bytes, no windows, so it is tested directly.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

// The keyboard dialog's rows, in row order. A row's setting key is its name
// with blanks turned into underscores.
inline constexpr std::array<std::string_view, 20> KeyboardActions = {
    "Move Forward", "Move Backward", "Turn Left", "Turn Right", "Strafe",
    "Fire", "Open", "Run", "AutoRun", "Jump",
    "Crouch", "Look Up", "Look Down", "Center View", "Strafe Left",
    "Strafe Right", "Aim Up", "Aim Down", "Change Player AI", "SendMessage",
};

// The items of every mouse and joystick button list; the file stores the
// item's text exactly as written here. "Send Message" keeps its blank even
// though the keyboard's action of the same meaning has none: the game reads
// each form in its own place.
inline constexpr std::array<std::string_view, 21> ButtonActions = {
    "None",
    "Aim_Down", "Aim_Up", "AutoRun", "Center_View", "Crouch",
    "Fire", "Look_Down", "Look_Up", "Mouse_Aiming", "Move_Backward",
    "Move_Forward", "Open", "Run", "Send Message", "Strafe",
    "Strafe_Left", "Strafe_Right", "Toggle_Crosshair", "Turn_Left", "Turn_Right",
};

// The key picker's entries: "<None>" and then the keys row by row as they sit
// on a PC keyboard, the editing block, the arrows and the keypad. The names
// and their case are what the game understands.
inline constexpr std::array<std::string_view, 75> KeyNames = {
    "<None>",
    "`", "-", "=",
    "TAB", "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "[", "]", "\\",
    "CapLck", "A", "S", "D", "F", "G", "H", "J", "K", "L", ";", "'", "Enter",
    "LShift", "Z", "X", "C", "V", "B", "N", "M", ",", ".", "/", "RShift",
    "LCtrl", "LAlt", "SPACE", "RAlt", "RCtrl",
    "Insert", "Delete", "Home", "End", "PgUp", "PgDn",
    "Up", "Down", "Left", "Right",
    "NumLck", "Kpad/", "Kpad*", "Kpad-", "Kpad+", "KpdEnt", "Kpad1", "Kpad2", "Kpad3", "Kpad4", "Kpad5",
    "Kpad6", "Kpad7", "Kpad8", "Kpad9", "Kpad0", "Kpad.",
};

// What the keyboard dialog shows, and the file leaves empty, for an action
// without a key; the picker's own word for it is its first entry.
inline constexpr std::string_view NoKey = "...";
inline constexpr std::string_view NoKeyEntry = "<None>";

// The setting key of a keyboard action ("Change Player AI" -> "Change_Player_AI").
std::string underscoreName(std::string_view displayName);

// How a picked entry is kept: blanks dropped, a single letter in lower case
// ("Q" -> "q", "KpdEnt" stays). "<None>" stays as it is; the keyboard dialog
// turns it into "...".
std::string storedForm(std::string_view entry);

// The form the picker looks a key string up by: a single letter in upper
// case, anything else as it is ("q" -> "Q", "tab" stays "tab").
std::string lookupForm(std::string_view keyString);

// Index of the picker entry that shows this key string, or -1 when there is
// none (a name the table lacks, or another letter case). "..." finds "<None>".
int keyEntryIndex(std::string_view keyString);

// A key-definition value from the file to a key string: its first quoted
// field, or "..." when that is missing or empty. The second field, the game's
// alternative key, is not the launcher's to keep.
std::string keyStringFromValue(std::string_view value);

// The file line for a keyboard row: `Move_Forward = "Up" ""`, or
// `Aim_Up = "" ""` for a row without a key.
std::string keyDefinitionLine(std::string_view displayName, std::string_view keyString);

// Mouse sensitivity between the file (32767 per 100 positions, the scale the
// game reads) and the dialog's positions 0..400. Loading rounds to the
// nearest position, so a saved position always loads back as itself and
// repeated saves leave the sensitivity where the user put it.
inline constexpr int SensitivityMax = 400;
int sensitivityPosition(std::int32_t fileValue);
std::int32_t sensitivityFileValue(int position);

}  // namespace controls
