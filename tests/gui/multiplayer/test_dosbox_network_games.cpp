// Network games whose NET.BAT runs in DOSBox: host or join an IPX game, or
// a modem on the misc dialog's port.
#include "NetworkGames.h"

#include "Input.h"
#include "components/ListIndex.h"
#include "components/UserConfig.h"
#include "dialogs/_audiosetup.h"
#include "multiplayer/_IPX.h"
#include "multiplayer/_hostjoin.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/_modem.h"
#include "ui__IPX.h"
#include "ui__audiosetup.h"
#include "ui__hostjoin.h"
#include "ui__miscsetup.h"
#include "ui__modem.h"

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
                                            dosbox::configuration({dosbox::Network::Kind::IpxJoin, "", 0, 0}).text));
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
    // The modem's interrupt from Advance Settings, and the card of the audio
    // dialog, reach DOSBox as the start saved them.
    forms->config->Memo1.read(settingsFile() + "IrqNumber = ~\r\nFXDevice = 13\r\nBlasterInterrupt = 5\r\n");
    setItemIndex(forms->audiosetup->ui->SFXCard, 1);
    setItemIndex(forms->audiosetup->ui->IRQ, 4);
    Ui::TMiscSetup& misc = *forms->miscsetup->ui;
    setItemIndex(misc.ComPort, 2);
    misc.AdvCom->setChecked(true);
    misc.ComIRQ->setText("5");
    TModem& modem = *forms->modem;
    runShown(modem, [&] {
        modem.ui->PhoneNum->setText("127.0.0.1:23000");
        modem.ui->Button1->click();
    });
    expectStartedAndEnded();
    EXPECT_EQ(platform.dosBoxQuestions.size(), 1u);
    const auto [commands, settings] = dosBoxSetup();
    EXPECT_TRUE(commands.empty());
    EXPECT_NE(settings.find("\n[serial]\nserial3=modem listenport:23000 irq:5\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\n[sblaster]\nsbtype=sb16\nirq=10\n"), std::string::npos) << settings;
    EXPECT_NE(launchFile()->find("\r\nPHONENUMBER = \"127.0.0.1:23000\"\r\n"), std::string::npos);
    EXPECT_NE(platform.starts[0].setup.logFile.find("vornhale"), std::string::npos);
}

TEST_F(DosBoxNetworkGames, AModemGameOnAPortDosBoxLacksOrAFolderItCannotOpenStartsAndSavesNothing)
{
    struct Case {
        int port;  // ComPort item; -1 for none
        std::string dosBoxProblem;
        const char* said;
    };
    const Case cases[] = {
        {5, "", "DOSBox has modems on COM1 to COM4 only, not on COM6."},
        {-1, "", "No COM port is chosen for the modem."},
        {0, "it holds a quote", "Cannot start NET.BAT: it holds a quote"},
    };
    for (const Case& c : cases) {
        errors.clear();
        platform.dosBoxProblem = c.dosBoxProblem;
        setItemIndex(forms->miscsetup->ui->ComPort, c.port);
        TModem& modem = *forms->modem;
        EXPECT_TRUE(runShown(modem, [&] { modem.ui->Button2->click(); })) << c.said;
        ASSERT_EQ(errors.size(), 1) << c.said;
        EXPECT_TRUE(errors[0].startsWith(c.said)) << errors[0].toStdString();
        expectNothingStarted();
        EXPECT_EQ(platform.writes, 0) << c.said;
    }
}
