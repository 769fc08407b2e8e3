#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStringList>

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
    const QStringList closeMetrics = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                      QStringLiteral("Arial")};
#ifdef Q_OS_WIN
    // On Windows MS Sans Serif is a bitmap face, which Qt draws without the
    // capital I that starts a caption ("nput/Output Range:"). Windows itself
    // puts its TrueType successor of the same metrics in its place.
    const QString face = QStringLiteral("Microsoft Sans Serif");
    QFont::insertSubstitutions(face, closeMetrics);
#else
    const QString face = QStringLiteral("MS Sans Serif");
    QFont::insertSubstitutions(face, QStringList{QStringLiteral("Microsoft Sans Serif")} + closeMetrics);
#endif
    QFont font(face);
    font.setPointSize(8);
    QApplication::setFont(font);

    // The main window hides while the configuration menu is open; closing that
    // menu must not end the launcher. The main window ends it explicitly.
    app.setQuitOnLastWindowClosed(false);
}
}  // namespace launcher
