// Network games whose NET.BAT runs in DOSBox: host or join an IPX game, or
// a modem on the misc dialog's port.
#include "NetworkGames.h"

#include "Input.h"
#include "app/_main.h"
#include "components/DosBoxDisplay.h"
#include "components/ListIndex.h"
#include "components/UserConfig.h"
#include "dialogs/_audiosetup.h"
#include "multiplayer/_IPX.h"
#include "multiplayer/_hostjoin.h"
#include "multiplayer/_miscsetup.h"
#include "multiplayer/AddressPanel.h"
#include "multiplayer/_modem.h"
#include "multiplayer/_waitforcall.h"
#include "ui_AddressPanel.h"
#include "ui__IPX.h"
#include "ui__audiosetup.h"
#include "ui__hostjoin.h"
#include "ui__miscsetup.h"
#include "ui__modem.h"
#include "ui__waitforcall.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace std::chrono_literals;
using Mapping = Router::Found::Mapping;

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
                // Hosting waits for the router's answer (the fake's comes at once).
                (void)QTest::qWaitFor([modal] { return !modal->isVisible(); }, 1000);
                if (modal->isVisible())
                    modal->close();
            });
            ipx.ui->Button1->click();
        });
    }
    // Waits until the window's panel shows what the router answered.
    static void awaitRouter(AddressPanel& panel)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return panel.shown().internet != "looking for your router..."; }, 1000));
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
    // DOSBox shows the game in a window that fits the main window's screen.
    const dosbox::Display display{dosbox::DisplayChoice::Unpicked, dosboxdisplay::screenOf(forms->mainmenu.get()), {}};
    EXPECT_EQ(dosBoxSetup(),
              std::make_pair(std::vector<std::string>{"IPXNET CONNECT 127.0.0.1 4000"},
                             dosbox::configuration({dosbox::Network::Kind::IpxJoin, "", 0, 0}, {}, display).text));
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

    // Where the launcher's folder cannot be made, the game starts all the
    // same, without the launcher's file and log, and the player is told.
    forms = createForms(platform);
    platform.starts.clear();
    platform.setCurrentDirectory("C:\\VORNHALE");
    platform.dosBoxFolderError = "Cannot create folder C:\\cache";
    runShown(*forms->modem, [&] {
        forms->modem->ui->PhoneNum->setText("127.0.0.1:23000");
        forms->modem->ui->Button1->click();
    });
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_TRUE(platform.starts[0].setup.configurationFile.empty() && platform.starts[0].setup.logFile.empty());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Cannot create folder C:\\cache.\n\nDOSBox starts without")) << errors[0].toStdString();
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

TEST_F(DosBoxNetworkGames, TheHostWindowSaysWhereFriendsJoinAndAsksTheRouterBeforeTheGameStarts)
{
    const Router::Found upnp{Mapping::Upnp, "192.168.1.20", "45.67.89.1"};
    struct Case {
        const char* name;
        Router::Found found;
        std::optional<Router::Forwarded> forwarded;  // unset: the port asked for
        const char* internet;                        // shown before hosting
        const char* explained;                       // part of the explanation after the first Return
        bool heldOpen;                               // the first Return leaves the window open
    };
    const Case cases[] = {
        {"forwarded", upnp, {}, "45.67.89.1", "Your router forwards UDP port 21300", false},
        {"refused", upnp, Router::Forwarded{0, Router::Refusal::NoPortLeft}, "45.67.89.1",
         "Your router refused to forward UDP port 21300: it has no port left to give.", true},
        {"no router", {Mapping::None, "192.168.1.20", ""}, {}, "unknown", "No router answered the launcher", false},
        {"shared", {Mapping::NatPmp, "192.168.1.20", "100.64.9.9"}, {}, "none (see below)", "is shared", false},
    };
    for (const Case& c : cases) {
        forms = createForms(platform);
        platform.starts.clear();
        platform.quitCount = 0;
        platform.setCurrentDirectory("C:\\VORNHALE");
        platform.fakeRouter = std::make_shared<FakeRouter>();
        platform.fakeRouter->answer(c.found, c.forwarded);
        QString internet, home, explained, copied;
        bool heldOpen = false;
        startIpx([&](THostJoin& d) {
            AddressPanel& panel = *d.ui->Addresses;
            awaitRouter(panel);
            internet = panel.ui->InternetAddress->text();
            home = panel.ui->HomeAddress->text();
            // Tab reaches Copy; Return there copies where friends join.
            d.ui->JoinAddress->setFocus();
            sendKey(d.ui->JoinAddress, Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), panel.ui->Copy) << c.name;
            sendKey(panel.ui->Copy, Qt::Key_Return);
            copied = QGuiApplication::clipboard()->text();
            d.ui->HostGame->setFocus();
            sendKey(&d, Qt::Key_Return);
            (void)QTest::qWaitFor([&] { return !d.isVisible(); }, 1000);
            heldOpen = d.isVisible();
            explained = panel.ui->Explanation->text();
            if (heldOpen)
                sendKey(&d, Qt::Key_Return);  // hosts for friends at home
        });
        EXPECT_EQ(internet, c.internet) << c.name;
        EXPECT_EQ(home, "192.168.1.20") << c.name;
        EXPECT_EQ(copied, QString(c.internet).startsWith("4") ? c.internet : "192.168.1.20") << c.name;
        EXPECT_TRUE(explained.contains(c.explained)) << c.name << ": " << explained.toStdString();
        EXPECT_EQ(heldOpen, c.heldOpen) << c.name;
        EXPECT_EQ(platform.starts.size(), 1u) << c.name;
        const auto requests = platform.fakeRouter->requests();
        ASSERT_EQ(requests.size(), c.found.mapping == Mapping::None ? 0u : 1u) << c.name;
        if (!requests.empty()) {
            EXPECT_EQ(requests[0].protocol, Protocol::Udp);
            EXPECT_EQ(requests[0].port, 21300);
            EXPECT_EQ(requests[0].lease, 4h);
        }
        forms.reset();  // the launcher ends: the game keeps its forwarding
        EXPECT_TRUE(platform.fakeRouter->removed().empty()) << c.name;
    }
}

TEST_F(DosBoxNetworkGames, APortAnotherProgramHoldsRefusesHostingAndKeepsTheWindowsOpenWithNothingSavedOrStarted)
{
    platform.portsInUse = {{Protocol::Udp, 21300}, {Protocol::Tcp, 23000}};
    QString ipxReason, modemReason;
    bool hostJoinOpen = false, waitOpen = false;
    EXPECT_TRUE(startIpx([&](THostJoin& d) {
        awaitRouter(*d.ui->Addresses);
        sendKey(&d, Qt::Key_Return);
        ipxReason = d.ui->Reason->text();
        hostJoinOpen = d.isVisible();
        sendKey(&d, Qt::Key_Escape);
    }));
    TModem& modem = *forms->modem;
    EXPECT_TRUE(runShown(modem, [&] {
        whenModal([&](QWidget* modal) {
            ASSERT_EQ(modal, modem.waitforcall.get());
            TWaitForCall& w = *modem.waitforcall;
            awaitRouter(*w.ui->Addresses);
            sendKey(&w, Qt::Key_Return);
            modemReason = w.ui->Reason->text();
            waitOpen = w.isVisible();
            sendKey(&w, Qt::Key_Escape);
        });
        modem.ui->Button2->click();
    }));
    EXPECT_TRUE(hostJoinOpen);
    EXPECT_TRUE(waitOpen);
    EXPECT_EQ(ipxReason.toStdString(), wheretojoin::portInUse(ipxPort(21300)));
    EXPECT_EQ(modemReason.toStdString(), wheretojoin::portInUse(modemPort(23000)));
    expectNothingStarted();
    EXPECT_EQ(platform.writes, 0);
    EXPECT_FALSE(launchFile());
    EXPECT_FALSE(UserConfig::open()->contains(QStringLiteral("IPX/Answer")));
    EXPECT_TRUE(platform.fakeRouter->requests().empty());
}

TEST_F(DosBoxNetworkGames, WaitingForACallShowsTheNumberToCallAndAsksTheRouterForTheModemsPort)
{
    platform.fakeRouter->answer({Mapping::Upnp, "192.168.1.20", "45.67.89.1"});
    TModem& modem = *forms->modem;
    QString internet, home;
    // Escape first: nothing starts, the modem dialog stays. Then Return.
    for (const int key : {Qt::Key_Escape, Qt::Key_Return}) {
        runShown(modem, [&] {
            whenModal([&](QWidget* modal) {
                TWaitForCall& w = *modem.waitforcall;
                ASSERT_EQ(modal, &w);
                awaitRouter(*w.ui->Addresses);
                internet = w.ui->Addresses->ui->InternetAddress->text();
                home = w.ui->Addresses->ui->HomeAddress->text();
                sendKey(&w, key);
                (void)QTest::qWaitFor([&] { return !w.isVisible(); }, 1000);
            });
            modem.ui->Button2->click();
        });
        EXPECT_EQ(internet, "45.67.89.1:23000");
        EXPECT_EQ(home, "192.168.1.20:23000");
        if (key == Qt::Key_Escape)
            expectNothingStarted();
    }
    expectStartedAndEnded();
    EXPECT_NE(launchFile()->find("\r\nCONNECTTYPE = 1\r\n"), std::string::npos);
    const auto requests = platform.fakeRouter->requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].protocol, Protocol::Tcp);
    EXPECT_EQ(requests[0].port, 23000);
}

TEST_F(DosBoxNetworkGames, AForwardingNoGameUsesIsTakenBackWhenTheWindowCloses)
{
    platform.fakeRouter->answer({Mapping::Upnp, "192.168.1.20", "45.67.89.1"}, Router::Forwarded{21302, Router::Refusal::None, 0, 1h});
    QString explained;
    startIpx([&](THostJoin& d) {
        awaitRouter(*d.ui->Addresses);
        sendKey(&d, Qt::Key_Return);
        (void)QTest::qWaitFor([&] { return d.ui->Addresses->shown().holdStart; }, 1000);
        explained = d.ui->Addresses->ui->Explanation->text();
        sendKey(&d, Qt::Key_Escape);
    });
    EXPECT_TRUE(explained.contains("for 1 hour: friends on the internet join at 45.67.89.1:21302"))
        << explained.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.fakeRouter->removed() == std::vector<int>{21302}; }, 1000));
    expectNothingStarted();
}

TEST_F(DosBoxNetworkGames, ARouterAnsweringAfterTheWindowsAreGoneReachesNothing)
{
    platform.fakeRouter->hold(true);
    startIpx([](THostJoin& d) { sendKey(&d, Qt::Key_Escape); });
    forms.reset();  // as when the launcher ends, the look still waiting
    platform.fakeRouter->hold(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return platform.fakeRouter->answeredFinds() == 1; }, 1000));
    QTest::qWait(50);  // a delivery, had one been posted, arrives now
    EXPECT_TRUE(errors.isEmpty());
}
