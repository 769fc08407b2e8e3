// Key definitions: one line per keyboard action, `Move_Forward = "Up" ""`.
// Only the first quoted field is the launcher's; the key string is carried
// as it stands, neither checked against the picker's keys nor re-cased.
#include "settings/groups.h"

#include "dialogs/ActionTables.h"
#include "dialogs/_kbsetup.h"
#include "settings/_config.h"

namespace settings {

void loadKeyDefinitions(Tconfig& config, Tkbsetup& keyboard)
{
    // The rows are made once; later loads only overwrite their keys.
    if (keyboard.rowCount() == 0)
        keyboard.FillActionRows();
    for (int row = 0; row < keyboard.rowCount(); ++row) {
        const std::string key = Tconfig::SpacesToUnderscores(keyboard.rowCaption(row));
        keyboard.setKeyString(row, controls::keyStringFromValue(config.GetSetting(key)));
    }
}

void saveKeyDefinitions(Tconfig& config, Tkbsetup& keyboard)
{
    for (int row = 0; row < keyboard.rowCount(); ++row)
        config.ReplaceSetting(controls::keyDefinitionLine(keyboard.rowCaption(row), keyboard.keyString(row)));
}

}  // namespace settings
