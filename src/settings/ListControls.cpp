#include "settings/ListControls.h"

#include "components/ListIndex.h"
#include "components/RadioGroup.h"
#include "settings/_config.h"

namespace settings {

void loadList(const Tconfig& config, const ListSetting& setting, QComboBox* list)
{
    if (const auto index = itemFor(setting, config.GetSetting(setting.key)))
        setItemIndex(list, *index);
}

void loadList(const Tconfig& config, const ListSetting& setting, TRadioGroup* group)
{
    if (const auto index = itemFor(setting, config.GetSetting(setting.key)))
        group->setItemIndex(*index);
}

void saveList(Tconfig& config, const ListSetting& setting, int index)
{
    if (const auto line = lineFor(setting, index))
        config.ReplaceSetting(*line);
}

}  // namespace settings
