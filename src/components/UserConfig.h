#pragma once
// The player's own launcher choices (such as where the game is), kept apart
// from the game's settings file: one INI file in the user's configuration
// folder, $XDG_CONFIG_HOME/vornhale/launcher.ini (~/.config/...) on Linux and
// %APPDATA%\vornhale\launcher.ini on Windows, which keeps them out of the
// registry. Nothing of it is ever written into a game folder.

#include <QSettings>

#include <functional>
#include <memory>

namespace UserConfig {
std::unique_ptr<QSettings> open();
// Writes what was set in `config` to its file. Where that fails (a folder or
// file the user may not write), the player is told once a run that the
// choice will not be remembered, and the launcher goes on.
void store(QSettings& config);
// Where the telling goes instead of a message box (tests), as if the run
// began anew; none restores the box.
void setReporter(std::function<void(const QString&)> reporter);
}  // namespace UserConfig
