#pragma once
// The four groups of settings, each moving its keys between the settings
// store's lines and its dialogs' controls. LoadSettings and SaveSettings call
// these steps in the file's fixed order.

class Tconfig;
struct Forms;

namespace settings {
// Video and audio (the video mode and audio dialogs, CDA.DAT).
void loadVideo(Tconfig& config, Forms& forms);
void loadAudio(Tconfig& config, Forms& forms);
void saveVideo(Tconfig& config, Forms& forms);
void saveAudio(Tconfig& config, Forms& forms);

// Key definitions (the keyboard dialog's rows).
void loadKeyDefinitions(Tconfig& config, Forms& forms);
void saveKeyDefinitions(Tconfig& config, Forms& forms);

// Mouse and joystick.
void loadMouseAimingFlipped(Tconfig& config, Forms& forms);
void loadMouseButtons(Tconfig& config, Forms& forms);
void loadJoystick(Tconfig& config, Forms& forms);
void saveMouseAndJoystick(Tconfig& config, Forms& forms);

// Player name, control method and modem (the misc dialog).
void loadPlayerName(Tconfig& config, Forms& forms);
void loadControlAndModem(Tconfig& config, Forms& forms);
void saveControlMethod(Tconfig& config, Forms& forms);
void saveModemAndPlayer(Tconfig& config, Forms& forms);
}  // namespace settings
