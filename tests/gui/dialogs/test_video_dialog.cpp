#include "GuiTest.h"

#include "components/RadioGroup.h"
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
