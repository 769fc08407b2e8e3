#pragma once
// The player's own launcher choices (such as where the game is), kept apart
// from the game's settings file: one INI file in the user's configuration
// folder, $XDG_CONFIG_HOME/vornhale/launcher.ini (~/.config/...) on Linux and
// %APPDATA%\vornhale\launcher.ini on Windows, which keeps them out of the
// registry. Nothing of it is ever written into a game folder.

#include <QSettings>

#include <memory>

namespace UserConfig {
std::unique_ptr<QSettings> open();
}  // namespace UserConfig
