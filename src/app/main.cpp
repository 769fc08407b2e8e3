// The launcher: it works on the game installation in its current directory,
// shows the main menu and nothing else until the user picks something.
// Started elsewhere, it first finds the game (--game-dir, the folder chosen
// before, or the player's answer) and changes into it.

#include "app/CommandLine.h"
#include "app/Forms.h"
#include "app/GameFolder.h"
#include "app/_main.h"
#include "app/application.h"
#include "components/AnsiText.h"
#include "components/ErrorBox.h"
#include "components/UserConfig.h"
#include "core/GameFiles.h"
#include "platform/NativePlatform.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace {
void printLine(std::FILE* stream, const QByteArray& text)
{
    std::fputs(text.constData(), stream);
    if (!text.endsWith('\n'))
        std::fputc('\n', stream);
}

// Enters `folder`, given as the system's bytes; the system's reason when it
// cannot.
std::optional<std::string> enter(const QByteArray& folder)
{
    std::error_code error;
    std::filesystem::current_path(launcher::fileSystemPath(folder), error);
    return error ? std::optional<std::string>(error.message()) : std::nullopt;
}
}  // namespace

int main(int argc, char** argv)
{
    // One character a byte: folder names reach the launcher as they are.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLatin1(argv[i]);
    const launcher::CommandLine commandLine(arguments);
    switch (commandLine.outcome()) {
    case launcher::CommandLine::Outcome::Help: {
        const QCoreApplication names(argc, argv);  // the usage line names the program
        printLine(stdout, commandLine.helpText().toLocal8Bit());
        return 0;
    }
    case launcher::CommandLine::Outcome::Version:
        printLine(stdout, launcher::CommandLine::versionText().toLocal8Bit());
        return 0;
    case launcher::CommandLine::Outcome::Error:
        printLine(stderr, commandLine.errorText());
        return 2;
    case launcher::CommandLine::Outcome::Run:
        break;
    }
    if (const auto failure = commandLine.gameFolder().isEmpty() ? std::nullopt : enter(commandLine.gameFolder())) {
        printLine(stderr, "vornhale-launcher: --game-dir: cannot enter \"" + commandLine.gameFolder() +
                              "\": " + QByteArray::fromStdString(*failure));
        return 2;
    }

    QApplication app(argc, argv);
    launcher::initialiseApplication(app);

    if (commandLine.gameFolder().isEmpty()) {
        const auto config = UserConfig::open();
        launcher::DesktopGameFolderQuestion question;
        // The current folder by its relative name, which works whatever
        // bytes its full name holds.
        const auto folder = launcher::findGameFolder(".", *config, question);
        if (!folder)
            return 0;  // the player cancelled the chooser
        if (const auto failure = enter(*folder)) {
            printLine(stderr, "vornhale-launcher: cannot enter \"" + *folder + "\": " +
                                  QByteArray::fromStdString(*failure));
            return 2;
        }
    }

    auto platform = makeNativePlatform();
    // A save cut short is put right before anything reads its file.
    for (const char* file : {gamefiles::SettingsFile, gamefiles::LaunchFile, gamefiles::CdAudioOffMarker})
        if (const std::string note = platform->recoverInterruptedSave(file); !note.empty())
            ErrorBox::show(ansitext::fromBytes(note));
    auto forms = createForms(*platform);
    forms->mainmenu->show();
    return app.exec();
}
