#include "components/FixedDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

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

namespace {
// The frame the window manager drew around the window at its last showing.
// Qt remembers it after the window is hidden; before the first showing there
// is none, and what it then reports is no frame.
QMargins lastFrame(const QWidget* w)
{
    const QRect outer = w->frameGeometry();
    const QRect inner = w->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const bool known = frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
    return known ? frame : QMargins();
}

QMargins expectedFrame(const QWidget* w)
{
    QMargins frame = lastFrame(w);
    if (!frame.isNull())
        return frame;
    // Where the platform knows the frame before the window is shown (Windows
    // does), it has the last word.
    if (const QWindow* handle = w->windowHandle(); handle && !handle->frameMargins().isNull())
        return handle->frameMargins();
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != w && !(frame = lastFrame(other)).isNull())
            return frame;
    return {};
}
}  // namespace

void centreOnScreen(QWidget* w)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = expectedFrame(w);
    const QSize outer = w->size().grownBy(frame);
    const QPoint frameTopLeft =
        area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
    // Placing the client area leaves nothing to the window manager's reading
    // of a frame position, which differs between a first and a later showing.
    w->setGeometry(QRect(frameTopLeft + QPoint(frame.left(), frame.top()), w->size()));
}

bool pressFocusedButton(QWidget* w, QKeyEvent* key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    auto* button = qobject_cast<QPushButton*>(w->focusWidget());
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}
}  // namespace window

FixedDialog::FixedDialog(QWidget* parent) : QDialog(parent) {}

void FixedDialog::finishForm()
{
    window::makeFixed(this);
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
}

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

void FixedDialog::keyPressEvent(QKeyEvent* event)
{
    if (!window::pressFocusedButton(this, event))
        QDialog::keyPressEvent(event);
}

void setItemIndex(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}
