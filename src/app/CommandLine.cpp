#include "app/CommandLine.h"

#include "app/application.h"

#include <QFileInfo>

namespace launcher {

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

    // parse() fails on unknown options too, which are to be ignored; what
    // matters is read from the options themselves.
    parser_.parse(arguments);
    if (parser_.isSet(help)) {
        outcome_ = Outcome::Help;
        return;
    }
    if (parser_.isSet(version)) {
        outcome_ = Outcome::Version;
        return;
    }
    if (!parser_.isSet(gameDir))
        return;
    const QString folder = parser_.value(gameDir);
    const QFileInfo info(folder);
    if (folder.isEmpty())
        error_ = QStringLiteral("vornhale-launcher: --game-dir needs the game's folder");
    else if (!info.exists())
        error_ = QStringLiteral("vornhale-launcher: --game-dir: \"%1\" does not exist").arg(folder);
    else if (!info.isDir())
        error_ = QStringLiteral("vornhale-launcher: --game-dir: \"%1\" is not a folder").arg(folder);
    if (!error_.isEmpty())
        outcome_ = Outcome::Error;
    else
        gameFolder_ = folder;
}

QString CommandLine::versionText()
{
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(ApplicationTitle), QStringLiteral(VORNHALE_VERSION));
}

}  // namespace launcher
