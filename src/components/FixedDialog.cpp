#include "components/FixedDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace window {
void makeFixed(QWidget* w, bool minimiseBox)
{
    w->setFixedSize(w->size());
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint;
    if (minimiseBox)
        flags |= Qt::WindowMinimizeButtonHint;
    else
        flags |= Qt::Dialog;
    w->setWindowFlags(flags);
}

void centreOnScreen(QWidget* w)
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        w->move(area.center() - QPoint(w->width() / 2, w->height() / 2));
    }
}
}  // namespace window

FixedDialog::FixedDialog(QWidget* parent) : QDialog(parent) {}

void FixedDialog::finishForm() { window::makeFixed(this); }

void FixedDialog::showEvent(QShowEvent* event)
{
    if (!titlesFitted_) {
        for (QLabel* title : findChildren<QLabel*>())
            if (title->property("groupTitle").toBool())
                title->adjustSize();
        titlesFitted_ = true;
    }
    if (!event->spontaneous())
        window::centreOnScreen(this);
    QDialog::showEvent(event);
}

void setItemIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
