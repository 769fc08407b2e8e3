// The Win32 layer inside the Qt application: the browser's owner window and
// the end of the user-interface loop come from Qt. Kept apart so that the
// Win32 layer itself builds and is tested without Qt.

#include "platform/NativePlatform.h"
#include "platform/win32/Win32Platform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

namespace {
// The web pages are opened from a click in the main menu, so the window with
// the focus is the application's window at that moment. Failing that, the
// first visible top-level window that is nobody's dialog.
win32::Win32Platform::WindowHandle applicationWindow()
{
    if (!qGuiApp)
        return 0;
    QWindow* window = QGuiApplication::focusWindow();
    if (!window) {
        for (QWindow* candidate : QGuiApplication::topLevelWindows()) {
            if (candidate->isVisible() && !candidate->transientParent()) {
                window = candidate;
                break;
            }
        }
    }
    return window ? win32::Win32Platform::WindowHandle(window->winId()) : 0;
}
}  // namespace

std::unique_ptr<Platform> makeNativePlatform()
{
    auto platform = std::make_unique<win32::Win32Platform>();
    platform->setOwnerWindow(applicationWindow);
    platform->setQuitHandler([] { QCoreApplication::exit(0); });
    return platform;
}
