#include "components/ListIndex.h"

#include <QComboBox>

void setItemIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
