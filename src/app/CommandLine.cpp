#include "app/CommandLine.h"

#include "app/GameFolder.h"
#include "app/application.h"
#include "core/GameFiles.h"

#include <filesystem>

namespace launcher {

namespace {
// Qt's own options, which QApplication takes from the same command line:
// those that take a value, and those that do not.
const char* const QtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                          "display", "geometry", "style", "stylesheet",
                                          "qmljsdebugger", "dialogs", "fontengine"};
const char* const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QByteArray bytes(const QString& argument) { return argument.toLatin1(); }
}  // namespace

CommandLine::CommandLine(const QStringList& arguments)
{
    parser_.setApplicationDescription(QStringLiteral(
        "Starts Vornhale for one player or over a network, and changes the game's settings.\n"
        "It works on the game in its current folder (the one holding VORNHALE.EXE or ENGINE);\n"
        "started anywhere else it uses the folder chosen before, or asks for one."));
    // Qt's own options are single-dash words (-reverse, -stylesheet): read
    // as bundles of letters they would hold -v or -h.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption gameDir(QStringLiteral("game-dir"),
                                     QStringLiteral("Work on the game installed in <DIR>; nothing is remembered."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and end."));
    parser_.addOptions({gameDir, help, version});
    for (const char* name : QtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser_.addOption(option);
    }
    for (const char* name : QtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser_.addOption(option);
    }

    const bool parsed = parser_.parse(arguments);
    if (parser_.isSet(help)) {
        outcome_ = Outcome::Help;
        return;
    }
    if (parser_.isSet(version)) {
        outcome_ = Outcome::Version;
        return;
    }
    const QByteArray prefix = "vornhale-launcher: ";
    const QByteArray seeHelp = " (--help lists the options)";
    if (!parsed) {
        const QStringList unknown = parser_.unknownOptionNames();
        if (!unknown.isEmpty())
            error_ = prefix + "unknown option \"" + bytes(unknown.first()) + "\"" + seeHelp;
        else if (arguments.contains(QStringLiteral("--game-dir")) || arguments.contains(QStringLiteral("-game-dir")))
            error_ = prefix + "--game-dir needs the game's folder";
        else
            error_ = prefix + bytes(parser_.errorText()) + seeHelp;
    } else if (!parser_.positionalArguments().isEmpty()) {
        error_ = prefix + "unexpected argument \"" + bytes(parser_.positionalArguments().first()) +
                 "\"; a game's folder is given as --game-dir DIR";
    } else if (parser_.isSet(gameDir)) {
        const QByteArray folder = bytes(parser_.value(gameDir));
        std::error_code failure;
        const auto status = std::filesystem::status(fileSystemPath(folder), failure);
        const QByteArray quoted = "--game-dir: \"" + folder + "\"";
        if (folder.isEmpty())
            error_ = prefix + "--game-dir needs the game's folder";
        else if (!std::filesystem::exists(status) && failure && failure != std::errc::no_such_file_or_directory)
            // The system's reason: a link loop, a folder on the way that may
            // not be searched.
            error_ = prefix + quoted + ": " + QByteArray::fromStdString(failure.message());
        else if (!std::filesystem::exists(status))
            error_ = prefix + quoted + " does not exist";
        else if (!std::filesystem::is_directory(status))
            error_ = prefix + quoted + " is not a folder";
        else if (!gameFolderProblem(folder).isEmpty())
            error_ = prefix + quoted + " " + gamefiles::NoGameHere;
        else
            gameFolder_ = folder;
    }
    if (!error_.isEmpty())
        outcome_ = Outcome::Error;
}

QString CommandLine::versionText()
{
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(ApplicationTitle), QStringLiteral(VORNHALE_VERSION));
}

}  // namespace launcher
