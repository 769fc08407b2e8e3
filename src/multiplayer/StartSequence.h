#pragma once
// Starting a network game: the launcher only prepares it. It saves the
// settings with the player's name, writes the launch file, starts NET.BAT in
// the ENGINE directory and ends.

#include "dosbox/DosBox.h"

#include <functional>
#include <string>

class Platform;
class QDialog;
class QLineEdit;

// What a network start needs from outside the multiplayer windows: the
// operating system, the settings store's save under the player's name, the
// PC the saved settings name, and the screen. The store fills these
// windows, so it stands above them and is handed down.
struct NetworkStart {
    Platform& platform;
    std::function<void(const std::string& playerName)> saveSettingsAs;
    std::function<dosbox::Hardware()> emulatedHardware;
    // The screen the launcher's main window is on, for DOSBox's window.
    std::function<dosbox::Screen()> screen;
};

// Runs the start for the dialog `starting`, whose name field is `netName`;
// `launchLines` builds the launch file from the controls once the settings
// are saved. Where NET.BAT runs in DOSBox, `network` is what DOSBox sets up
// for it (never Kind::None there): its settings, and the hardware the saved
// settings name, go into a configuration file in the launcher's own folder
// for DOSBox (never the game's), written after the launch file. A failure
// while saving, writing or entering ENGINE throws before anything is
// started, leaving the dialog open as it was. So does a NET.BAT that cannot
// be started, after the launch file is written; the current directory is
// then the game's folder again.
void StartNetworkGame(const NetworkStart& start, QDialog& starting, const QLineEdit* netName,
                      const std::function<std::string()>& launchLines, const dosbox::Network& network = {});

// Whether NET.BAT will run in DOSBox, which then needs a network set up.
bool NetworkDriverRunsInDosBox(Platform& platform);
