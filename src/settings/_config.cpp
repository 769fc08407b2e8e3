#include "settings/_config.h"

#include "app/Forms.h"
#include "components/AnsiText.h"
#include "platform/Platform.h"
#include "settings/groups.h"

#include <QComboBox>

Tconfig::Tconfig(Forms& forms) : forms_(forms) {}

void Tconfig::LoadSettings()
{
    Platform& platform = forms_.platform;
    if (!platform.fileExists(SettingsFile))
        return;
    // Emptied before the read, so a file that exists but cannot be opened
    // leaves no stale lines behind to be saved later.
    Memo1.clear();
    Memo1.read(platform.readFile(SettingsFile));

    settings::loadVideo(*this, forms_);
    settings::loadAudio(*this, forms_);
    settings::loadKeyDefinitions(*this, forms_);
    settings::loadMouseAimingFlipped(*this, forms_);
    settings::loadPlayerName(*this, forms_);
    settings::loadMouseButtons(*this, forms_);
    settings::loadJoystick(*this, forms_);
    settings::loadControlAndModem(*this, forms_);
}

void Tconfig::SaveSettings()
{
    settings::saveVideo(*this, forms_);
    settings::saveAudio(*this, forms_);
    settings::saveKeyDefinitions(*this, forms_);
    settings::saveControlMethod(*this, forms_);
    settings::saveMouseAndJoystick(*this, forms_);
    settings::saveModemAndPlayer(*this, forms_);
    forms_.platform.writeFile(SettingsFile, Memo1.write());
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
