#include "GuiTest.h"

#include "app/_main.h"
#include "Input.h"
#include "components/ListIndex.h"
#include "components/UserConfig.h"
#include "multiplayer/_IPX.h"
#include "multiplayer/_hostjoin.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/_modem.h"
#include "settings/_config.h"
#include "ui__IPX.h"
#include "ui__hostjoin.h"
#include "ui__main.h"
#include "ui__miscsetup.h"
#include "ui__modem.h"

#include <QClipboard>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
const char* const Settings = "ENGINE\\VORNHL.CFG";
const char* const LaunchFile = "ENGINE\\COMMIT.DAT";

// The demo installation's settings file, so every group finds its keys.
std::string demoSettings()
{
    const auto path = std::filesystem::path(__FILE__).parent_path() / "../../../demo/ENGINE/VORNHL.CFG";
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string crlf(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* l : lines)
        out += std::string(l) + "\r\n";
    return out;
}
}  // namespace

class NetworkGames : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // As a load leaves it, without running every group's load on it.
        const std::string settings = "[Comm]\r\nComPort = 2\r\nPlayerName = \"Old\"\r\n";
        platform.putFile(Settings, settings);
        forms->config->Memo1.read(settings);
    }
    // The launch file as left on the fake disk (the start moves the fake's
    // current directory into ENGINE, so look it up by its full name).
    std::optional<std::string> launchFile() const
    {
        auto it = platform.files.find(FakePlatform::normalise(LaunchFile));
        if (it == platform.files.end())
            return std::nullopt;
        return it->second;
    }
    std::string settingsFile() const { return platform.files.at(FakePlatform::normalise(Settings)); }

    // Shows `dialog` modally and runs `inside` while it is up; reports whether
    // the dialog was still open afterwards (then closes it).
    bool runShown(QDialog& dialog, const std::function<void()>& inside)
    {
        bool stillOpen = false;
        whenModal([&](QWidget* modal) {
            EXPECT_EQ(modal, &dialog);
            inside();
            stillOpen = dialog.isVisible();
            if (stillOpen)
                dialog.close();
        });
        dialog.exec();
        return stillOpen;
    }
    void expectStartedAndEnded()
    {
        ASSERT_EQ(platform.starts.size(), 1u);
        EXPECT_EQ(platform.starts[0].commandLine, "NET.BAT");
        EXPECT_EQ(platform.starts[0].show, 1);
        EXPECT_EQ(platform.starts[0].directory, "C:\\VORNHALE\\ENGINE");
        // DOSBox is given a network only where NET.BAT runs in it.
        EXPECT_EQ(platform.starts[0].setup.empty(), !platform.dosBoxStarts);
        EXPECT_EQ(platform.quitCount, 1);
        EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    }
    void expectNothingStarted()
    {
        EXPECT_TRUE(platform.starts.empty());
        EXPECT_EQ(platform.quitCount, 0);
        EXPECT_EQ(platform.cwd, "C:\\VORNHALE");
    }
};

TEST_F(NetworkGames, IpxStartSavesTheNameWritesTheFileStartsNetBatInEngineAndEnds)
{
    TIPX& ipx = *forms->ipx;
    const bool open = runShown(ipx, [&] {
        ipx.ui->NetName->setText(" Ace \"X\"");
        ipx.ui->IPX_NumPlayers->setCurrentIndex(3);
        ipx.ui->IPX_NetSocket->setText("");
        ipx.ui->Button1->click();
    });
    EXPECT_FALSE(open);
    expectStartedAndEnded();
    EXPECT_EQ(forms->config->StoredPlayerName, " Ace \"X\"");
    EXPECT_NE(settingsFile().find("\r\nPlayerName = \" Ace \"X\"\"\r\n"), std::string::npos) << settingsFile();
    EXPECT_EQ(launchFile(), crlf({"[COMMIT]", "COMMTYPE = 3", "NUMPLAYERS = 5", "PAUSE = 0", "VECTOR = ~",
                                  "SOCKETNUMBER = ", "LAUNCHNAME = \"GAME.EXE\"", "SHOWSTATS = 0"}));
}

TEST_F(NetworkGames, ALongerOldLaunchFileIsReplacedWhole)
{
    platform.putFile(LaunchFile, std::string(4000, 'x') + "\r\nOLD = 1\r\n");
    TIPX& ipx = *forms->ipx;
    runShown(ipx, [&] { ipx.ui->Button1->click(); });
    EXPECT_EQ(launchFile(), crlf({"[COMMIT]", "COMMTYPE = 3", "NUMPLAYERS = 2", "PAUSE = 0", "VECTOR = ~",
                                  "SOCKETNUMBER = 0", "LAUNCHNAME = \"GAME.EXE\"", "SHOWSTATS = 0"}));
}

TEST_F(NetworkGames, ModemCallTakesThePortSetupFromTheMiscDialog)
{
    Ui::TMiscSetup& misc = *forms->miscsetup->ui;
    setItemIndex(misc.ComPort, -1);
    misc.AdvCom->setChecked(true);
    misc.ComIRQ->setText("5");
    misc.COMUart->setText("2F8");
    misc.InitStr->setText("ATZ");
    TModem& modem = *forms->modem;
    runShown(modem, [&] {
        modem.ui->NetName->setText("Ace");
        modem.ui->PhoneNum->setText("555-0134");
        modem.ui->RadioGroup1->setItemIndex(0);
        modem.ui->Button1->click();
    });
    expectStartedAndEnded();
    EXPECT_EQ(launchFile(), crlf({"[COMMIT]", "COMMTYPE = 2", "CONNECTTYPE = 0", "NUMPLAYERS = 2", "PAUSE = 0",
                                  "USETONE = 0", "COMPORT = 0", "IRQNUMBER = 5", "UARTADDRESS = 2F8",
                                  "PORTSPEED = 9600", "INITSTRING = \"ATZ\"", "HANGUPSTRING = \"ATH0=0\"",
                                  "PHONENUMBER = \"555-0134\"", "LAUNCHNAME = \"GAME.EXE\"", "SHOWSTATS = 0"}));
    // The save went first and carried the same set-up.
    EXPECT_EQ(settingsFile(), "[Comm]\r\nComPort = 0\r\nPlayerName = \"Ace\"\r\n");
}

TEST_F(NetworkGames, ModemWaitWritesNoNumberAndTildesWithoutAdvancedSettings)
{
    forms->miscsetup->ui->ComIRQ->setText("5");
    TModem& modem = *forms->modem;
    runShown(modem, [&] {
        modem.ui->PhoneNum->setText("555-0134");
        modem.ui->Button2->click();
    });
    expectStartedAndEnded();
    EXPECT_EQ(launchFile(), crlf({"[COMMIT]", "COMMTYPE = 2", "CONNECTTYPE = 1", "NUMPLAYERS = 2", "PAUSE = 0",
                                  "USETONE = 1", "COMPORT = 2", "IRQNUMBER = ~", "UARTADDRESS = ~",
                                  "PORTSPEED = 9600", "INITSTRING = \"AT&F1\"", "HANGUPSTRING = \"ATH0=0\"",
                                  "PHONENUMBER = \"\"", "LAUNCHNAME = \"GAME.EXE\"", "SHOWSTATS = 0"}));
}

TEST_F(NetworkGames, AbortInEitherDialogClosesItAndStartsSavesAndWritesNothing)
{
    TModem& modem = *forms->modem;
    const bool modemOpen = runShown(modem, [&] {
        modem.ui->NetName->setText("Typed");
        modem.ui->Button3->click();
    });
    TIPX& ipx = *forms->ipx;
    const bool ipxOpen = runShown(ipx, [&] { ipx.ui->Button2->click(); });
    EXPECT_FALSE(modemOpen);
    EXPECT_FALSE(ipxOpen);
    expectNothingStarted();
    EXPECT_EQ(platform.writes, 0);
    EXPECT_FALSE(launchFile());
    EXPECT_EQ(forms->config->StoredPlayerName, "");
}

TEST_F(NetworkGames, WithoutAnEngineDirectoryTheErrorShowsAndTheDialogStaysWithItsContents)
{
    platform.files.clear();
    platform.directories.clear();
    TIPX& ipx = *forms->ipx;
    QString nameAfter, socketAfter;
    const bool open = runShown(ipx, [&] {
        ipx.ui->NetName->setText("Ace");
        ipx.ui->IPX_NetSocket->setText("17");
        ipx.ui->Button1->click();
        nameAfter = ipx.ui->NetName->text();
        socketAfter = ipx.ui->IPX_NetSocket->text();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(errors, QStringList{"Cannot create file .\\ENGINE\\VORNHL.CFG"});
    EXPECT_EQ(nameAfter, "Ace");
    EXPECT_EQ(socketAfter, "17");
    EXPECT_FALSE(launchFile());
    expectNothingStarted();
}

TEST_F(NetworkGames, AnUnwritableLaunchFileStopsAfterTheSaveAndKeepsTheOldFile)
{
    platform.putFile(LaunchFile, "old\r\n");
    platform.unwritable.push_back(LaunchFile);
    TModem& modem = *forms->modem;
    const bool open = runShown(modem, [&] {
        modem.ui->NetName->setText("Ace");
        modem.ui->Button1->click();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(errors, QStringList{"File access denied"});
    EXPECT_EQ(launchFile(), "old\r\n");
    EXPECT_NE(settingsFile().find("PlayerName = \"Ace\""), std::string::npos);
    expectNothingStarted();
}

TEST_F(NetworkGames, ANetBatThatCannotStartIsReportedAndTheNextTryStartsFromTheGameFolder)
{
    platform.startFailureReason = errors::startreason::NotFound;
    TIPX& ipx = *forms->ipx;
    const bool open = runShown(ipx, [&] {
        ipx.ui->NetName->setText("Ace");
        ipx.ui->Button1->click();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(errors, QStringList{"Cannot start NET.BAT: the file was not found"});
    expectNothingStarted();
    // The launch file and the saved settings stay as the start left them.
    EXPECT_TRUE(launchFile());
    EXPECT_NE(settingsFile().find("PlayerName = \"Ace\""), std::string::npos);

    errors.clear();
    platform.startFailureReason.clear();
    runShown(ipx, [&] { ipx.ui->Button1->click(); });
    expectStartedAndEnded();
}

TEST_F(NetworkGames, NoTypedOrPastedLineBreakReachesAFileLine)
{
    TModem& modem = *forms->modem;
    modem.ui->NetName->setText("A\r\nce");
    EXPECT_EQ(modem.ui->NetName->text(), "Ace");
    QApplication::clipboard()->setText("555\n0134");
    modem.ui->PhoneNum->clear();
    modem.ui->PhoneNum->paste();
    QLineEdit* init = forms->miscsetup->ui->InitStr;
    init->setText("ATZ");
    init->setCursorPosition(2);
    init->insert("\r\n");
    EXPECT_EQ(init->text(), "ATZ");
    EXPECT_EQ(init->cursorPosition(), 2);
    runShown(modem, [&] { modem.ui->Button1->click(); });
    ASSERT_TRUE(launchFile());
    const std::string file = *launchFile();
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 15);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\r'), 15);
    EXPECT_NE(file.find("PHONENUMBER = \"5550134\"\r\n"), std::string::npos);
    EXPECT_NE(settingsFile().find("\r\nPlayerName = \"Ace\"\r\n"), std::string::npos);
}

TEST_F(NetworkGames, TheMainMenuOpensWithTheStoredNameAndTwoPlayersAndReturnsToMainMode)
{
    platform.putFile(Settings, demoSettings());
    Tmain& menu = *forms->mainmenu;
    TIPX& ipx = *forms->ipx;
    menu.ui->Button2->click();
    QString shownName;
    whenModal([&](QWidget*) {
        shownName = ipx.ui->NetName->text();
        ipx.ui->NetName->setText("Abandoned");
        ipx.ui->IPX_NetSocket->setText("42");
        ipx.ui->IPX_NumPlayers->setCurrentIndex(3);
        ipx.ui->Button2->click();
    });
    menu.ui->Button1->click();
    EXPECT_EQ(shownName, "Wanderer");
    EXPECT_EQ(menu.MenuMode, 0);

    menu.ui->Button2->click();
    QString nameAgain, socketAgain;
    int playersAgain = -1;
    whenModal([&](QWidget*) {
        nameAgain = ipx.ui->NetName->text();
        socketAgain = ipx.ui->IPX_NetSocket->text();
        playersAgain = ipx.ui->IPX_NumPlayers->currentIndex();
        ipx.close();
    });
    menu.ui->Button1->click();
    EXPECT_EQ(nameAgain, "Wanderer");
    EXPECT_EQ(socketAgain, "42");
    EXPECT_EQ(playersAgain, 0);
    EXPECT_EQ(menu.MenuMode, 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_EQ(platform.writes, 0);
}

TEST_F(NetworkGames, EnterInAFieldStartsNothingAndToneDialingIsTheFirstChoice)
{
    TModem& modem = *forms->modem;
    EXPECT_EQ(modem.ui->RadioGroup1->itemIndex(), 1);
    EXPECT_EQ(forms->ipx->ui->IPX_NetSocket->text(), "0");
    // No default button: Enter in a field must not start a game.
    for (QDialog* dialog : {static_cast<QDialog*>(&modem), static_cast<QDialog*>(forms->ipx.get())})
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            EXPECT_FALSE(b->autoDefault() || b->isDefault()) << b->objectName().toStdString();
}

class DosBoxNetworkGames : public NetworkGames {
protected:
    void SetUp() override
    {
        NetworkGames::SetUp();
        platform.dosBoxStarts = true;
        UserConfig::open()->remove(QStringLiteral("IPX"));
    }
    // Starts an IPX game and runs `answer` in the host-or-join dialog; reports
    // whether the IPX dialog was still open afterwards.
    bool startIpx(const std::function<void(THostJoin&)>& answer)
    {
        TIPX& ipx = *forms->ipx;
        return runShown(ipx, [&] {
            whenModal([&](QWidget* modal) {
                ASSERT_EQ(modal, ipx.hostjoin.get());
                answer(*ipx.hostjoin);
                if (modal->isVisible())
                    modal->close();
            });
            ipx.ui->Button1->click();
        });
    }
    // What DOSBox was given: its commands, and the settings in the launcher's
    // configuration file.
    std::pair<std::vector<std::string>, std::string> dosBoxSetup() const
    {
        const dosbox::Setup& setup = platform.starts.at(0).setup;
        EXPECT_NE(setup.configurationFile.find("vornhale"), std::string::npos) << setup.configurationFile;
        const auto file = platform.files.find(FakePlatform::normalise(setup.configurationFile));
        return {setup.commands, file == platform.files.end() ? "(none)" : file->second};
    }
};

TEST_F(DosBoxNetworkGames, CancellingHostOrJoinStartsSavesAndWritesNothingAndKeepsTheIpxDialog)
{
    const std::function<void(THostJoin&)> cancels[] = {
        [](THostJoin& d) { d.ui->Button2->click(); },
        [](THostJoin& d) { sendKey(&d, Qt::Key_Escape); },
    };
    for (const auto& cancel : cancels)
        EXPECT_TRUE(startIpx(cancel));
    EXPECT_EQ(platform.dosBoxQuestions, (std::vector<std::string>{"ENGINE\\NET.BAT", "ENGINE\\NET.BAT"}));
    expectNothingStarted();
    EXPECT_EQ(platform.writes, 0);
    EXPECT_FALSE(launchFile());
    EXPECT_FALSE(UserConfig::open()->contains(QStringLiteral("IPX/Answer")));
}

TEST_F(DosBoxNetworkGames, AJoinAddressIsCheckedAndTheLastAnswerIsProposedNextTime)
{
    QString proposedFirst, reason;
    bool stillOpen = false;
    startIpx([&](THostJoin& d) {
        proposedFirst = d.ui->HostGame->isChecked() ? "host" : "join";
        // Typing an address chooses to join; a bad one is refused with its reason.
        typeText(d.ui->JoinAddress, "bad host");
        sendKey(d.ui->JoinAddress, Qt::Key_Return);
        stillOpen = d.isVisible();
        reason = d.ui->Reason->text();
        d.ui->JoinAddress->clear();
        typeText(d.ui->JoinAddress, "127.0.0.1:4000");
        sendKey(d.ui->JoinAddress, Qt::Key_Return);
    });
    EXPECT_EQ(proposedFirst, "host");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(reason, "\"bad host\" is not a host name or an IPv4 address.");
    expectStartedAndEnded();
    EXPECT_EQ(dosBoxSetup(), std::make_pair(std::vector<std::string>{"IPXNET CONNECT 127.0.0.1 4000"},
                                            dosbox::configuration({dosbox::Network::Kind::IpxJoin, "", 0, 0})));
    EXPECT_TRUE(launchFile());

    // A later run proposes joining there: Return takes it. Then hosting,
    // once chosen, is proposed in turn.
    struct Round {
        const char* proposed;
        std::function<void(THostJoin&)> answer;
        std::vector<std::string> commands;
    };
    const Round rounds[] = {
        {"join 127.0.0.1:4000", [](THostJoin& d) { sendKey(&d, Qt::Key_Return); }, {"IPXNET CONNECT 127.0.0.1 4000"}},
        {"join 127.0.0.1:4000",
         [](THostJoin& d) {
             d.ui->HostGame->click();
             d.ui->Button1->click();
         },
         {"IPXNET STARTSERVER 21300"}},
        {"host", [](THostJoin& d) { sendKey(&d, Qt::Key_Return); }, {"IPXNET STARTSERVER 21300"}},
    };
    for (const Round& round : rounds) {
        forms = createForms(platform);
        platform.starts.clear();
        platform.setCurrentDirectory("C:\\VORNHALE");
        std::string proposed;
        startIpx([&](THostJoin& d) {
            proposed = d.ui->HostGame->isChecked() ? "host" : "join " + d.ui->JoinAddress->text().toStdString();
            round.answer(d);
        });
        EXPECT_EQ(proposed, round.proposed);
        ASSERT_EQ(platform.starts.size(), 1u) << round.proposed;
        EXPECT_EQ(platform.starts[0].setup.commands, round.commands) << round.proposed;
    }
}

TEST_F(DosBoxNetworkGames, AModemGameGetsDosBoxsModemOnTheMiscDialogsPortAndDialsTheNumberAsTyped)
{
    setItemIndex(forms->miscsetup->ui->ComPort, 2);
    TModem& modem = *forms->modem;
    runShown(modem, [&] {
        modem.ui->PhoneNum->setText("127.0.0.1:23000");
        modem.ui->Button1->click();
    });
    expectStartedAndEnded();
    EXPECT_EQ(platform.dosBoxQuestions.size(), 1u);
    const auto [commands, settings] = dosBoxSetup();
    EXPECT_TRUE(commands.empty());
    EXPECT_NE(settings.find("\n[serial]\nserial3=modem listenport:23000\n"), std::string::npos) << settings;
    EXPECT_NE(launchFile()->find("\r\nPHONENUMBER = \"127.0.0.1:23000\"\r\n"), std::string::npos);
}
