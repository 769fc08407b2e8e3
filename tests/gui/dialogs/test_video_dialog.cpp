#include "GuiTest.h"

#include "app/_main.h"
#include "components/DosBoxDisplay.h"
#include "components/RadioGroup.h"
#include "ui__main.h"
#include "dialogs/_videomode.h"
#include "ui__videomode.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

class VideoDialog : public GuiTest {
protected:
    Tvideomode& dialog() { return *forms->videomode; }
};

TEST_F(VideoDialog, OpensAtTheLowestResolutionWithItsCaptionsAndSize)
{
    EXPECT_EQ(dialog().windowTitle(), "Video Mode");
    EXPECT_EQ(dialog().size(), QSize(158, 200));
    EXPECT_EQ(dialog().minimumSize(), dialog().maximumSize());
    EXPECT_EQ(dialog().ui->Label1->text(), "Please select which video mode you wish to play in.");
    EXPECT_TRUE(dialog().ui->Label1->wordWrap());
    EXPECT_TRUE(dialog().ui->Label1->alignment() & Qt::AlignHCenter);
    TRadioGroup* modes = dialog().ui->ViewMode;
    EXPECT_EQ(modes->title(), " Resolution ");
    EXPECT_EQ(modes->items(), QStringList({"320x200", "640x480", "800x600"}));
    EXPECT_EQ(modes->itemIndex(), 0);
    EXPECT_EQ(dialog().ui->Button1->text(), "Ok");
}

TEST_F(VideoDialog, AlwaysHoldsExactlyOneResolutionAndTheKeyboardReachesOk)
{
    TRadioGroup* modes = dialog().ui->ViewMode;
    modes->button(2)->click();
    modes->button(1)->click();
    EXPECT_EQ(modes->itemIndex(), 1);
    EXPECT_FALSE(modes->button(0)->isChecked());
    EXPECT_FALSE(modes->button(2)->isChecked());
    // Tab leaves the group for Ok, so the dialog can be closed from the keyboard.
    EXPECT_EQ(modes->button(2)->nextInFocusChain(), dialog().ui->Button1);
}

TEST_F(VideoDialog, OkOnlyClosesAndTheChoiceStays)
{
    dialog().ui->ViewMode->setItemIndex(2);
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(modal, &dialog());
        dialog().ui->Button1->click();
    });
    dialog().exec();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(dialog().ui->ViewMode->itemIndex(), 2);
    EXPECT_EQ(platform.writes, 0);
}

TEST_F(VideoDialog, WhereTheGameRunsInDosBoxItOffersHowDosBoxShowsItAndKeepsThePick)
{
    dosboxdisplay::pick(dosbox::DisplayChoice::Unpicked);
    const char* mine = "[sdl]\noutput=ddraw\n";
    struct Case {
        bool dosBox;
        const char* player;  // the player's own DOSBox configuration
        int index;
        const char* note;
    };
    const Case cases[] = {
        {false, mine, 0, ""},
        {true, "", 0, ""},
        {true, mine, 2, "Your DOSBox configuration sets the display (output), so DOSBox shows"},
    };
    for (const Case& c : cases) {
        platform.dosBoxStarts = c.dosBox;
        platform.playerDosBoxText = c.player;
        whenModal([&](QWidget*) {
            const Ui::Tvideomode& ui = *dialog().ui;
            EXPECT_EQ(ui.DosBoxDisplay->isVisible(), c.dosBox) << c.player;
            EXPECT_TRUE((ui.DosBoxNote->isVisible() ? ui.DosBoxNote->text() : "").startsWith(c.note));
            EXPECT_EQ(dialog().width() > 158, c.dosBox);
            EXPECT_EQ(dialog().height() > 300, *c.note != '\0');
            EXPECT_EQ(ui.DosBoxDisplay->itemIndex(), c.index);
            if (c.dosBox && *c.player) {  // the player's pick outweighs the configuration
                ui.DosBoxDisplay->button(1)->click();
                EXPECT_TRUE(ui.DosBoxNote->text().endsWith("replaces it for this game."));
            }
            dialog().close();
        });
        dialog().exec();
    }
    EXPECT_EQ(dosboxdisplay::picked(), dosbox::DisplayChoice::FullScreen);
    EXPECT_EQ(platform.writes, 0);
    // The next Single Player start shows the game on the full screen.
    forms->mainmenu->ui->Button1->click();
    ASSERT_EQ(platform.starts.size(), 1u);
    const auto config = platform.file(platform.starts[0].setup.configurationFile);
    EXPECT_NE(config.value_or("").find("[sdl]\nfullscreen=true\n"), std::string::npos);
    dosboxdisplay::pick(dosbox::DisplayChoice::Unpicked);
}
