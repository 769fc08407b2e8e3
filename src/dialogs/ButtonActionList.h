#pragma once
// The mouse and joystick dialogs offer the same button action list in every
// one of their fourteen lists.

#include "components/AnsiText.h"
#include "dialogs/ActionTables.h"

#include <QComboBox>

#include <string_view>

inline void fillButtonList(QComboBox* list)
{
    for (std::string_view action : controls::ButtonActions)
        list->addItem(ansitext::fromBytes(action));
}
