#include "components/FixedDialog.h"

#include "components/Accessibility.h"

#include <QApplication>
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
// The frame the window manager drew around a window is known only while it
// shows; once hidden, X11 reports none. So each window notes its frame on its
// way out, and the last one noted stands in for windows not framed yet.
const char* const FrameProperty = "launcherFrame";
QMargins lastNotedFrame;

QMargins liveFrame(const QWidget* w)
{
    const QWindow* handle = w->windowHandle();
    return handle && w->isVisible() ? handle->frameMargins() : QMargins();
}

QMargins expectedFrame(const QWidget* w)
{
    if (const QVariant own = w->property(FrameProperty); own.isValid())
        return own.value<QMargins>();
    // Where the platform knows the frame before the window shows (Windows
    // does), it has the last word.
    if (const QWindow* handle = w->windowHandle(); handle && !handle->frameMargins().isNull())
        return handle->frameMargins();
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (const QMargins frame = liveFrame(other); !frame.isNull())
            return frame;
    return lastNotedFrame;
}
}  // namespace

void noteFrame(QWidget* w)
{
    const QMargins frame = liveFrame(w);
    if (frame.isNull())
        return;
    w->setProperty(FrameProperty, QVariant::fromValue(frame));
    lastNotedFrame = frame;
}

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

FixedDialog::FixedDialog(QWidget* parent) : QDialog(parent)
{
    // Before the form builds its frames, so each gets its group role.
    accessibility::install();
}

void FixedDialog::finishForm()
{
    window::makeFixed(this);
    accessibility::nameLabelsAfterControls(this);
    accessibility::tellComboBoxItems(this);
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
}

void FixedDialog::setVisible(bool visible)
{
    if (!visible && isVisible())
        window::noteFrame(this);
    QDialog::setVisible(visible);
}

void FixedDialog::showNote(QLabel* note, const QString& text)
{
    if (formHeight_ < 0)
        formHeight_ = height();
    note->setText(text);
    note->setVisible(!text.isEmpty());
    const int margin = 8;
    setFixedHeight(text.isEmpty() ? formHeight_ : note->geometry().bottom() + 1 + margin);
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
