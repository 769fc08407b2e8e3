// Starting IPX and modem games from their dialogs, where NET.BAT runs as it is.
#include "NetworkGames.h"

#include "Input.h"
#include "app/_main.h"
#include "components/ListIndex.h"
#include "multiplayer/_IPX.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/_modem.h"
#include "ui__IPX.h"
#include "ui__main.h"
#include "ui__miscsetup.h"
#include "ui__modem.h"

#include <QClipboard>
#include <QPushButton>

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
