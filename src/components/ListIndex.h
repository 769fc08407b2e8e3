#pragma once
// Lists addressed by index, as the setup dialogs and the settings use them.

class QComboBox;

// Selects `index` in a drop-down list: an index outside the items leaves no
// selection. Setting it from code runs no handler of the user's pick.
void setItemIndex(QComboBox* list, int index);
