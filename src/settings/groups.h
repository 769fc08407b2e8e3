#pragma once
// The four groups of settings, each moving its keys between the settings
// store's lines and the controls of the dialogs it is given. LoadSettings
// and SaveSettings call these steps in the file's fixed order.

class Platform;
class TAudioSetup;
class Tconfig;
class TJoySetup;
class Tkbsetup;
class TMiscSetup;
class TMouseSetup;
class Tvideomode;

namespace settings {
// Video and audio (the video mode and audio dialogs, CDA.DAT).
void loadVideo(Tconfig& config, Tvideomode& video);
void loadAudio(Tconfig& config, TAudioSetup& audio);
void saveVideo(Tconfig& config, Tvideomode& video);
void saveAudio(Tconfig& config, TAudioSetup& audio, Platform& platform);

// Key definitions (the keyboard dialog's rows).
void loadKeyDefinitions(Tconfig& config, Tkbsetup& keyboard);
void saveKeyDefinitions(Tconfig& config, Tkbsetup& keyboard);

// Mouse and joystick.
void loadMouseAimingFlipped(Tconfig& config, TMouseSetup& mouse);
void loadMouseButtons(Tconfig& config, TMouseSetup& mouse);
void loadJoystick(Tconfig& config, TJoySetup& joystick);
void saveMouseAndJoystick(Tconfig& config, TMouseSetup& mouse, TJoySetup& joystick);

// Player name, control method and modem (the misc dialog).
void loadPlayerName(Tconfig& config);
void loadControlAndModem(Tconfig& config, TMiscSetup& misc);
void saveControlMethod(Tconfig& config, TMiscSetup& misc);
void saveModemAndPlayer(Tconfig& config, TMiscSetup& misc);
}  // namespace settings
