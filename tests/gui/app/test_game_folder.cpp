// Finding the game folder before any window: the command line, and the
// folder chosen by the player, with the dialogs answered by a script.
#include "app/CommandLine.h"
#include "app/GameFolder.h"
#include "components/UserConfig.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {
// A scratch tree: "game" holds a game, "plain" does not, "here" is filled
// per case; "gone" does not exist.
struct Scratch {
    QTemporaryDir root;
    Scratch()
    {
        QDir(root.path()).mkpath(QStringLiteral("game"));
        QDir(root.path()).mkpath(QStringLiteral("plain/sub"));
        QDir(root.path()).mkpath(QStringLiteral("here"));
        touch(QStringLiteral("game/Vornhale.Exe"));
    }
    QString path(const QString& name) const { return name.isEmpty() ? QString() : root.filePath(name); }
    void touch(const QString& name) const
    {
        QFile file(root.filePath(name));
        file.open(QIODevice::WriteOnly);
    }
};

class ScriptedQuestion : public launcher::GameFolderQuestion {
public:
    QStringList answers;  // "" cancels
    QStringList startedIn;
    QStringList reasons;
    QString askFolder(const QString& startIn) override
    {
        startedIn << startIn;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    void refuse(const QString& reason) override { reasons << reason; }
};
}  // namespace

TEST(GameFolder, UsesTheCurrentOrRememberedGameAndAsksOnlyWhenNeitherHoldsOne)
{
    struct Case {
        const char* name;
        QStringList hereFiles, hereFolders;  // what "here" holds
        QString remembered;                  // scratch name, "" for none
        QStringList answers;                 // scratch names, "" cancels
        QString expected;                    // scratch name, "" for none
        QStringList startedIn;
        int refusals;
        QString rememberedAfter;
    };
    const Case cases[] = {
        {"game executable here, any case", {"vornhale.exe"}, {}, "game", {}, "here", {}, 0, "game"},
        {"ENGINE folder here, any case", {}, {"Engine"}, "", {}, "here", {}, 0, ""},
        {"wrong kinds of entry here: remembered game", {"engine"}, {"VORNHALE.EXE"}, "game", {}, "game", {}, 0,
         "game"},
        {"remembered folder gone: asks from its parent, refuses, remembers",
         {}, {}, "gone", {"plain", "game"}, "game", {"", "plain"}, 1, "game"},
        {"remembered folder no game any more", {}, {}, "plain/sub", {"game"}, "game", {"plain/sub"}, 0, "game"},
        {"cancelled", {}, {}, "", {""}, "", {"home"}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch scratch;
        for (const QString& f : c.hereFiles)
            scratch.touch("here/" + f);
        for (const QString& f : c.hereFolders)
            QDir(scratch.path("here")).mkdir(f);
        QSettings config(scratch.path("launcher.ini"), QSettings::IniFormat);
        if (!c.remembered.isEmpty())
            config.setValue("GameFolder", scratch.path(c.remembered));
        ScriptedQuestion question;
        for (const QString& a : c.answers)
            question.answers << scratch.path(a);

        const std::optional<QByteArray> folder =
            launcher::findGameFolder(QFile::encodeName(scratch.path("here")), config, question);

        EXPECT_EQ(folder.value_or(QByteArray()), QFile::encodeName(scratch.path(c.expected)));
        QStringList startedIn;
        for (const QString& s : c.startedIn)
            startedIn << (s == "home" ? QDir::homePath() : s.isEmpty() ? scratch.root.path() : scratch.path(s));
        EXPECT_EQ(question.startedIn, startedIn);
        ASSERT_EQ(question.reasons.size(), c.refusals);
        for (const QString& reason : question.reasons)
            EXPECT_EQ(reason, "\"" + QDir::toNativeSeparators(scratch.path("plain")) +
                                  "\" holds no Vornhale game: it has neither VORNHALE.EXE nor an ENGINE folder.\n\n"
                                  "Choose the folder Vornhale is installed in.");
        EXPECT_EQ(config.value("GameFolder").toString(), scratch.path(c.rememberedAfter));
    }
}

TEST(GameFolder, AFolderNamedInAnyBytesIsChosenAndRememberedAsItsBytes)
{
    Scratch scratch;
    const QByteArray latin1 = QFile::encodeName(scratch.root.path()) + "/caf\xe9";
    std::filesystem::create_directories(latin1.toStdString() + "/ENGINE");
    ScriptedQuestion question;
    question.answers << QFile::decodeName(latin1);  // as the chooser gives it: U+FFFD for the byte
    {
        QSettings config(scratch.path("launcher.ini"), QSettings::IniFormat);
        EXPECT_EQ(launcher::findGameFolder("/nonexistent", config, question), latin1);
    }
    QSettings config(scratch.path("launcher.ini"), QSettings::IniFormat);
    EXPECT_EQ(launcher::findGameFolder("/nonexistent", config, question), latin1);  // remembered, not asked
    EXPECT_EQ(question.startedIn.size(), 1);
}

TEST(GameFolder, AChoiceThatCannotBeRememberedIsToldOnceAndTheLauncherGoesOn)
{
    Scratch scratch;
    QStringList told;
    UserConfig::setReporter([&](const QString& text) { told << text; });
    // Below a file, no user may write it, root included.
    QSettings config(scratch.path("game/Vornhale.Exe/launcher.ini"), QSettings::IniFormat);
    for (int run = 0; run < 2; ++run) {
        ScriptedQuestion question;
        question.answers << scratch.path("game");
        EXPECT_EQ(launcher::findGameFolder("/nonexistent", config, question), QFile::encodeName(scratch.path("game")));
    }
    UserConfig::setReporter(nullptr);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("Your choice cannot be remembered: \"" + scratch.path("game/Vornhale.Exe/launcher.ini")))
        << told[0].toStdString();
}

TEST(CommandLine, ActsOnItsOwnOptionsAndQtsAndRefusesEveryOtherArgument)
{
    using Outcome = launcher::CommandLine::Outcome;
    Scratch scratch;
    const QString game = scratch.path("game"), file = scratch.path("game/Vornhale.Exe"), gone = scratch.path("gone"),
                  plain = scratch.path("plain"), loop = scratch.path("loop");
    std::filesystem::create_symlink("loop", QFile::encodeName(loop).toStdString());
    // A folder named in Latin-1, as older disks have them: not UTF-8.
    const QByteArray latin1 = QFile::encodeName(scratch.root.path()) + "/caf\xe9";
    std::filesystem::create_directories(latin1.toStdString() + "/ENGINE");
    const QString latin1Argument = QString::fromLatin1(latin1);
    struct Case {
        QStringList arguments;
        Outcome outcome;
        QByteArray gameFolder;
        QByteArray error;
    };
    const QByteArray seeHelp = " (--help lists the options)";
    const Case cases[] = {
        {{}, Outcome::Run, "", ""},
        // Qt's options; -reverse holds a "v", -stylesheet an "h".
        {{"-reverse", "-stylesheet", "x.qss", "-platform", "xcb", "--style=fusion", "-qwindowtitle", "t"},
         Outcome::Run, "", ""},
        {{"--game-dir", game}, Outcome::Run, QFile::encodeName(game), ""},
        {{"--game-dir=" + latin1Argument}, Outcome::Run, latin1, ""},
        {{"--game-dir", game, "--unknown"}, Outcome::Error, "", "vornhale-launcher: unknown option \"unknown\"" + seeHelp},
        {{"--gamedir", game}, Outcome::Error, "", "vornhale-launcher: unknown option \"gamedir\"" + seeHelp},
        {{game}, Outcome::Error, "",
         "vornhale-launcher: unexpected argument \"" + QFile::encodeName(game) +
             "\"; a game's folder is given as --game-dir DIR"},
        {{"--game-dir=" + gone}, Outcome::Error, "",
         "vornhale-launcher: --game-dir: \"" + QFile::encodeName(gone) + "\" does not exist"},
        {{"--game-dir", file}, Outcome::Error, "",
         "vornhale-launcher: --game-dir: \"" + QFile::encodeName(file) + "\" is not a folder"},
        {{"--game-dir", loop}, Outcome::Error, "",
         "vornhale-launcher: --game-dir: \"" + QFile::encodeName(loop) + "\": Too many levels of symbolic links"},
        {{"--game-dir", plain}, Outcome::Error, "",
         "vornhale-launcher: --game-dir: \"" + QFile::encodeName(plain) +
             "\" holds no Vornhale game: it has neither VORNHALE.EXE nor an ENGINE folder"},
        {{"--game-dir"}, Outcome::Error, "", "vornhale-launcher: --game-dir needs the game's folder"},
        {{"--game-dir", gone, "--help"}, Outcome::Help, "", ""},
        {{"-v"}, Outcome::Version, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const launcher::CommandLine commandLine(QStringList{"vornhale-launcher"} + c.arguments);
        EXPECT_EQ(commandLine.outcome(), c.outcome);
        EXPECT_EQ(commandLine.gameFolder(), c.gameFolder);
        EXPECT_EQ(commandLine.errorText(), c.error);
    }
}
