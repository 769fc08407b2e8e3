#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

// The artwork lives in a static library, whose resources are registered
// only on request.
static void registerResources() { Q_INIT_RESOURCE(launcher); }

namespace launcher {
void initialiseApplication(QApplication& app)
{
    registerResources();
    // The title is what the taskbar and every error box show. It is the
    // application name, not the display name, which Qt would append to every
    // window caption.
    QApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    app.setWindowIcon(QIcon(QStringLiteral(":/vornhale-launcher.png")));

    // The fixed window geometry was laid out for MS Sans Serif 8 pt; where it
    // is missing, a face with close metrics keeps every caption whole.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arimo"), QStringLiteral("Arial")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    QApplication::setFont(font);

    // The main window hides while the configuration menu is open; closing that
    // menu must not end the launcher. The main window ends it explicitly.
    app.setQuitOnLastWindowClosed(false);
}
}  // namespace launcher
