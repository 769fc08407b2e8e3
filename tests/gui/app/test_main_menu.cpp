#include "GuiTest.h"

#include "app/_configmenu.h"
#include "app/_main.h"
#include "multiplayer/_IPX.h"
#include "multiplayer/_modem.h"
#include "settings/_config.h"
#include "ui__IPX.h"
#include "ui__main.h"
#include "ui__modem.h"

#include <QApplication>
#include <QPushButton>

namespace {
// The keys a load cannot do without, so a load gets as far as the player name.
const std::string LoadableSettings = "ScreenWidth = 640\r\nFXDevice = 0\r\nBlasterInterrupt = 5\r\n"
                                     "BlasterDMA8 = 1\r\nBlasterDMA16 = 5\r\nNumBits = 16\r\nMixRate = 22000\r\n"
                                     "JoystickPort = 0\r\n";
}  // namespace

class MainMenu : public GuiTest {
protected:
    Tmain& menu() { return *forms->mainmenu; }
    QStringList upperCaptions()
    {
        return {menu().ui->Button1->text(), menu().ui->Button2->text(), menu().ui->BitBtn1->text()};
    }
};

TEST_F(MainMenu, StartsInMainModeWithItsFixedSizeAndOnlyItselfShown)
{
    EXPECT_EQ(menu().MenuMode, 0);
    EXPECT_EQ(upperCaptions(), QStringList({"&Single Player", "&Multiplayer", "&Configure"}));
    EXPECT_EQ(menu().windowTitle(), "Vornhale Launcher");
    EXPECT_EQ(menu().size(), QSize(367, 467));
    EXPECT_EQ(menu().minimumSize(), menu().maximumSize());
    EXPECT_FALSE(menu().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(menu().windowFlags() & Qt::WindowMinimizeButtonHint);
    menu().show();
    QWidgetList visible;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            visible << w;
    EXPECT_EQ(visible, QWidgetList{&menu()});
    EXPECT_EQ(QApplication::applicationName(), "Vornhale Launcher");
}

TEST_F(MainMenu, MultiplayerChangesOnlyCaptionsAndModeAndReturnResetsThem)
{
    menu().ui->Button2->click();
    EXPECT_EQ(menu().MenuMode, 1);
    EXPECT_EQ(upperCaptions(),
              QStringList({"Play Vornhale via IPX network", "Play Vornhale via Modem", "Return to Main Menu"}));
    EXPECT_TRUE(platform.starts.empty());
    EXPECT_EQ(platform.writes, 0);

    menu().ui->BitBtn1->click();
    EXPECT_EQ(menu().MenuMode, 0);
    EXPECT_EQ(upperCaptions(), QStringList({"&Single Player", "&Multiplayer", "&Configure"}));
}

TEST_F(MainMenu, SinglePlayerStartsTheGameAndEndsWithoutTouchingSettings)
{
    platform.putFile("ENGINE\\VORNHL.CFG", "ScreenWidth = x\r\n");
    menu().ui->Button1->click();
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].commandLine, "VORNHALE.EXE");
    EXPECT_EQ(platform.starts[0].show, 1);
    EXPECT_EQ(platform.quitCount, 1);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(platform.writes, 0);
}

TEST_F(MainMenu, AGameThatCannotStartIsReportedAndTheLauncherStays)
{
    platform.startFailureReason = errors::startreason::NoDosBox;
    menu().show();
    menu().ui->Button1->click();
    EXPECT_EQ(errors, QStringList{"Cannot start VORNHALE.EXE: it is a DOS program, which needs DOSBox, and "
                                  "DOSBox was not found"});
    EXPECT_EQ(platform.quitCount, 0);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(menu().MenuMode, 0);
}

TEST_F(MainMenu, ExitAndTheCloseBoxEndTheLauncherInEitherMode)
{
    menu().ui->Button6->click();
    EXPECT_EQ(platform.quitCount, 1);
    menu().ui->Button2->click();
    menu().ui->Button6->click();
    EXPECT_EQ(platform.quitCount, 2);
    menu().show();
    menu().close();
    EXPECT_EQ(platform.quitCount, 3);
    EXPECT_EQ(platform.writes, 0);
}

TEST_F(MainMenu, ConfigureHidesTheMenuShowsTheConfigurationAndComesBack)
{
    menu().show();
    bool mainHiddenMeanwhile = false;
    whenModal([&](QWidget* modal) {
        mainHiddenMeanwhile = !menu().isVisible();
        EXPECT_EQ(modal, forms->configmenu.get());
        modal->close();
    });
    menu().ui->BitBtn1->click();
    EXPECT_TRUE(mainHiddenMeanwhile);
    EXPECT_TRUE(menu().isVisible());
    EXPECT_EQ(menu().MenuMode, 0);
}

TEST_F(MainMenu, AFailedLoadIsReportedAndTheMenuComesBackWithoutTheConfiguration)
{
    platform.putFile("ENGINE\\VORNHL.CFG", "x");
    platform.unreadable.push_back("ENGINE\\VORNHL.CFG");
    menu().show();
    bool configShown = false;
    whenModal([&](QWidget* modal) {
        configShown = true;
        modal->close();
    });
    menu().ui->BitBtn1->click();
    EXPECT_EQ(errors, QStringList{"Cannot open file .\\ENGINE\\VORNHL.CFG"});
    EXPECT_FALSE(configShown);
    EXPECT_TRUE(menu().isVisible());
    QApplication::processEvents();  // let the pending check find no modal window
}

TEST_F(MainMenu, MultiplayerDialogsGetTheStoredNameAndTheMenuReturnsToMainMode)
{
    platform.putFile("ENGINE\\VORNHL.CFG", LoadableSettings + "PlayerName = \"Ace\"\r\n");
    menu().ui->Button2->click();
    forms->ipx->ui->IPX_NumPlayers->addItem("3 Players");
    forms->ipx->ui->IPX_NumPlayers->setCurrentIndex(1);
    QString nameShown;
    int playersShown = -1;
    whenModal([&](QWidget* modal) {
        nameShown = forms->ipx->ui->NetName->text();
        playersShown = forms->ipx->ui->IPX_NumPlayers->currentIndex();
        modal->close();
    });
    menu().ui->Button1->click();
    EXPECT_EQ(nameShown, "Ace");
    EXPECT_EQ(playersShown, 0);
    EXPECT_EQ(menu().MenuMode, 0);

    menu().ui->Button2->click();
    whenModal([&](QWidget* modal) {
        nameShown = forms->modem->ui->NetName->text();
        modal->close();
    });
    menu().ui->Button2->click();
    EXPECT_EQ(nameShown, "Ace");
    EXPECT_EQ(menu().MenuMode, 0);
}

TEST_F(MainMenu, AFailedLoadBeforeAMultiplayerDialogLeavesMultiplayerMode)
{
    platform.putFile("ENGINE\\VORNHL.CFG", "x");
    platform.unreadable.push_back("ENGINE\\VORNHL.CFG");
    menu().ui->Button2->click();
    menu().ui->Button1->click();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(menu().MenuMode, 1);
}
