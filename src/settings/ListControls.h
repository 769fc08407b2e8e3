#pragma once
// Moves a list setting (one row: key, values, fallback) between the settings
// store and the drop-down list or radio group that shows it.

#include "settings/ListSetting.h"

class QComboBox;
class TRadioGroup;
class Tconfig;

namespace settings {

// Selects the item the file's value names; code setting it runs no handler
// of the user's pick. Throws where the row wants an integer and finds none.
void loadList(const Tconfig& config, const ListSetting& setting, QComboBox* list);
void loadList(const Tconfig& config, const ListSetting& setting, TRadioGroup* group);
// Writes the line of the selected item (-1 for none), if the row has one.
void saveList(Tconfig& config, const ListSetting& setting, int index);

}  // namespace settings
