#include "settings/_config.h"

#include "components/AnsiText.h"
#include "platform/Platform.h"
#include "dialogs/_audiosetup.h"
#include "settings/EmulatedHardware.h"
#include "settings/groups.h"

#include <QComboBox>

Tconfig::Tconfig(Platform& platform, const SetupDialogs& dialogs) : platform_(platform), dialogs_(dialogs) {}

void Tconfig::LoadSettings()
{
    if (!platform_.fileExists(SettingsFile))
        return;
    // Emptied before the read, so a file that exists but cannot be opened
    // leaves no stale lines behind to be saved later.
    Memo1.clear();
    Memo1.read(platform_.readFile(SettingsFile));

    settings::loadVideo(*this, dialogs_.video);
    settings::loadAudio(*this, dialogs_.audio);
    dialogs_.audio.setFileNote(ansitext::fromBytes(settings::unemulatedNote(Memo1)));
    settings::loadKeyDefinitions(*this, dialogs_.keyboard);
    settings::loadMouseAimingFlipped(*this, dialogs_.mouse);
    settings::loadPlayerName(*this);
    settings::loadMouseButtons(*this, dialogs_.mouse);
    settings::loadJoystick(*this, dialogs_.joystick);
    settings::loadControlAndModem(*this, dialogs_.misc);
}

dosbox::Hardware Tconfig::EmulatedHardware() const
{
    settings::LineBuffer lines;
    try {
        if (!platform_.fileExists(SettingsFile))
            return {};
        lines.read(platform_.readFile(SettingsFile));
    } catch (const LauncherError&) {
        // The game starts all the same, on DOSBox's own hardware.
        return {};
    }
    return settings::emulatedHardware(lines);
}

void Tconfig::SaveSettings()
{
    settings::saveVideo(*this, dialogs_.video);
    settings::saveAudio(*this, dialogs_.audio, platform_);
    settings::saveKeyDefinitions(*this, dialogs_.keyboard);
    settings::saveControlMethod(*this, dialogs_.misc);
    settings::saveMouseAndJoystick(*this, dialogs_.mouse, dialogs_.joystick);
    settings::saveModemAndPlayer(*this, dialogs_.misc);
    platform_.writeFile(SettingsFile, Memo1.write());
}

void Tconfig::SelectQuotedItem(const std::string& key, QComboBox* list) const
{
    const std::string value = GetSetting(key);
    int index = 0;
    const std::string field = text::upperAscii(text::firstQuotedField(value));
    if (!field.empty()) {
        for (int i = 0; i < list->count(); ++i) {
            if (text::upperAscii(ansitext::toBytes(list->itemText(i))) == field) {
                index = i;
                break;
            }
        }
    }
    list->setCurrentIndex(list->count() > 0 ? index : -1);
}
