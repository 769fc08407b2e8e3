#pragma once
// The game's own files, as the game names them: the launcher finds, starts
// and writes these, and a folder that holds the game is told by them. The
// paths are launcher paths, relative to the game's folder with backslashes.

namespace gamefiles {

// The game, which a single-player start runs.
inline constexpr const char* Game = "VORNHALE.EXE";
// The game's engine folder, where its settings and network driver live.
inline constexpr const char* EngineFolder = "ENGINE";
// The network driver a network start runs, in the engine folder.
inline constexpr const char* NetworkDriver = "NET.BAT";
// The settings file the setup dialogs edit.
inline constexpr const char* SettingsFile = ".\\ENGINE\\VORNHL.CFG";
// What a network start tells the driver (the launch file).
inline constexpr const char* LaunchFile = ".\\ENGINE\\COMMIT.DAT";
// Marks CD audio as disabled, in the game's folder.
inline constexpr const char* CdAudioOffMarker = "CDA.DAT";

// Why a folder is not taken for the game's: neither of the two above is in it.
inline constexpr const char* NoGameHere = "holds no Vornhale game: it has neither VORNHALE.EXE nor an ENGINE folder";

}  // namespace gamefiles
