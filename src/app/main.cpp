// The launcher: it works on the game installation in its current directory,
// shows the main menu and nothing else until the user picks something.
// Started elsewhere, it first finds the game (--game-dir, the folder chosen
// before, or the player's answer) and changes into it.

#include "app/CommandLine.h"
#include "app/Forms.h"
#include "app/GameFolder.h"
#include "app/_main.h"
#include "app/application.h"
#include "components/UserConfig.h"
#include "platform/NativePlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {
void printLine(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
}
}  // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const launcher::CommandLine commandLine(arguments);
    switch (commandLine.outcome()) {
    case launcher::CommandLine::Outcome::Help: {
        const QCoreApplication names(argc, argv);  // the usage line names the program
        printLine(stdout, commandLine.helpText());
        return 0;
    }
    case launcher::CommandLine::Outcome::Version:
        printLine(stdout, launcher::CommandLine::versionText());
        return 0;
    case launcher::CommandLine::Outcome::Error:
        printLine(stderr, commandLine.errorText());
        return 2;
    case launcher::CommandLine::Outcome::Run:
        break;
    }
    if (!commandLine.gameFolder().isEmpty() && !QDir::setCurrent(commandLine.gameFolder())) {
        printLine(stderr, QStringLiteral("vornhale-launcher: --game-dir: cannot enter \"%1\"").arg(commandLine.gameFolder()));
        return 2;
    }

    QApplication app(argc, argv);
    launcher::initialiseApplication(app);

    if (commandLine.gameFolder().isEmpty()) {
        const auto config = UserConfig::open();
        launcher::DesktopGameFolderQuestion question;
        const auto folder = launcher::findGameFolder(QDir::currentPath(), *config, question);
        if (!folder)
            return 0;  // the player cancelled the chooser
        if (!QDir::setCurrent(*folder)) {
            printLine(stderr, QStringLiteral("vornhale-launcher: cannot enter \"%1\"").arg(*folder));
            return 2;
        }
    }

    auto platform = makeNativePlatform();
    auto forms = createForms(*platform);
    forms->mainmenu->show();
    return app.exec();
}
