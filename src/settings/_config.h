#pragma once
// The settings store: owns the settings file's lines and moves every setting
// between the file and the setup dialogs. It has no window of its own; the
// dialogs it fills are handed to it, so it stands above them.

#include "core/GameFiles.h"
#include "core/Text.h"
#include "dosbox/DosBox.h"
#include "settings/SettingsLines.h"

#include <string>

class Platform;
class QComboBox;
class TAudioSetup;
class TJoySetup;
class Tkbsetup;
class TMiscSetup;
class TMouseSetup;
class Tvideomode;

// The dialogs whose controls hold the settings between a load and a save.
struct SetupDialogs {
    Tvideomode& video;
    TAudioSetup& audio;
    Tkbsetup& keyboard;
    TMouseSetup& mouse;
    TJoySetup& joystick;
    TMiscSetup& misc;
};

class Tconfig {
public:
    static constexpr const char* SettingsFile = gamefiles::SettingsFile;

    Tconfig(Platform& platform, const SetupDialogs& dialogs);

    // Reads the settings file and sets every setup dialog from it. Without a
    // settings file nothing changes. Throws on an unreadable file or on a
    // strict integer key that holds no integer; the controls set before that
    // key keep their new state.
    void LoadSettings();
    // The PC the settings file names as it stands, for DOSBox to emulate;
    // the dialogs and the lines are left alone. Nothing without a file that
    // can be read.
    dosbox::Hardware EmulatedHardware() const;
    // Writes every setup dialog into the lines, then the lines to the file.
    // Throws when the file (or CDA.DAT) cannot be written; the file on disk is
    // then as it was.
    void SaveSettings();

    std::string GetSetting(const std::string& key) const { return Memo1.getSetting(key); }
    void ReplaceSetting(const std::string& line) { Memo1.replaceSetting(line); }
    void RewriteSetting(const std::string& key) { Memo1.rewriteSetting(key); }
    // Selects the item named by the key's first quoted field (case-folded);
    // item 0 when the value is missing, unquoted or names no item.
    void SelectQuotedItem(const std::string& key, QComboBox* list) const;
    static std::string SpacesToUnderscores(const std::string& text) { return text::spacesToUnderscores(text); }

    settings::LineBuffer Memo1;
    std::string StoredPlayerName;

private:
    Platform& platform_;
    SetupDialogs dialogs_;
};
