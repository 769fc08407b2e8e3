#include "GuiTest.h"
#include "Input.h"

#include "dialogs/_kbsetup.h"
#include "dialogs/_keypress.h"
#include "ui__kbsetup.h"
#include "ui__keypress.h"

#include <QHeaderView>
#include <QLineEdit>


class KeyboardDialog : public GuiTest {
protected:
    Tkbsetup& keyboard() { return *forms->kbsetup; }
    QTreeWidget* rows() { return keyboard().ui->KeySetup; }

    // True when something opened the key picker; the picker is then closed
    // again at once, so a wrong opening cannot hang the test.
    bool opensPicker(const std::function<void()>& action)
    {
        auto opened = std::make_shared<bool>(false);
        TGetKeyP* picker = forms->keypicker.get();
        QTimer::singleShot(0, [picker, opened] {
            if (picker->isVisible()) {
                *opened = true;
                picker->reject();
            }
        });
        action();
        QApplication::processEvents();
        return *opened;
    }
};

TEST_F(KeyboardDialog, StartsWithoutRowsInAReportListThatNeitherSortsNorEdits)
{
    EXPECT_EQ(keyboard().windowTitle(), "Keyboard Configuration");
    EXPECT_EQ(keyboard().size(), QSize(209, 346));
    EXPECT_EQ(keyboard().ui->Label1->text(), "Choose a key definition to modify");
    EXPECT_EQ(keyboard().ui->Button2->text(), "Ok");
    EXPECT_EQ(keyboard().rowCount(), 0);
    EXPECT_EQ(rows()->size(), QSize(193, 265));
    EXPECT_EQ(rows()->headerItem()->text(0), "Action");
    EXPECT_EQ(rows()->headerItem()->text(1), "Key");
    EXPECT_EQ(rows()->columnWidth(0), 110);
    EXPECT_EQ(rows()->columnWidth(1), 60);
    EXPECT_FALSE(rows()->header()->sectionsClickable());
    EXPECT_FALSE(rows()->isSortingEnabled());
    EXPECT_EQ(rows()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(rows()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(KeyboardDialog, FillActionRowsMakesOneRowPerActionWithoutAKeyAndReplacesOldRows)
{
    keyboard().FillActionRows();
    keyboard().setKeyString(0, "Up");
    keyboard().FillActionRows();
    ASSERT_EQ(keyboard().rowCount(), 20);
    EXPECT_EQ(keyboard().rowCaption(0), "Move Forward");
    EXPECT_EQ(keyboard().rowCaption(18), "Change Player AI");
    EXPECT_EQ(keyboard().rowCaption(19), "SendMessage");
    for (int row = 0; row < 20; ++row)
        EXPECT_EQ(keyboard().keyString(row), "...") << row;
    EXPECT_EQ(rows()->topLevelItem(0)->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(rows()->topLevelItem(0)->flags() & Qt::ItemIsEditable);
}

TEST_F(KeyboardDialog, KeyStringsAreHeldAsTheFilesBytes)
{
    keyboard().FillActionRows();
    keyboard().setKeyString(3, "\xe9\x80 x");
    EXPECT_EQ(keyboard().keyString(3), "\xe9\x80 x");
}

TEST_F(KeyboardDialog, TypedCharactersAndEnterChangeNothingWhileArrowsStillMove)
{
    keyboard().FillActionRows();
    rows()->setCurrentItem(rows()->topLevelItem(0));
    EXPECT_FALSE(opensPicker([&] {
        sendKey(rows(), Qt::Key_F);
        sendKey(rows(), Qt::Key_J);
        sendKey(rows(), Qt::Key_Return);
        sendKey(rows(), Qt::Key_Space);
    }));
    EXPECT_EQ(rows()->currentItem(), rows()->topLevelItem(0));
    sendKey(rows(), Qt::Key_Down);
    EXPECT_EQ(rows()->currentItem(), rows()->topLevelItem(1));
    sendKey(rows(), Qt::Key_End);
    EXPECT_EQ(rows()->currentItem(), rows()->topLevelItem(19));
    sendKey(rows(), Qt::Key_F2);
    EXPECT_TRUE(rows()->findChildren<QLineEdit*>().isEmpty());
    EXPECT_EQ(keyboard().rowCaption(19), "SendMessage");
}

TEST_F(KeyboardDialog, ADoubleClickWithoutAHighlightedRowOpensNothing)
{
    EXPECT_FALSE(opensPicker([&] { sendDoubleClick(rows()->viewport(), QPoint(50, 50)); }));
    keyboard().FillActionRows();
    // A double click whose row lost its highlight on the way.
    EXPECT_FALSE(opensPicker([&] { emit rows()->itemDoubleClicked(rows()->topLevelItem(0), 0); }));
}

TEST_F(KeyboardDialog, ADoubleClickOnARowOpensThePickerForIt)
{
    keyboard().FillActionRows();
    keyboard().setKeyString(1, "Down");
    QString action;
    whenModal([&](QWidget* modal) {
        action = modal->windowTitle() + ": " + forms->keypicker->ui->Label2->text();
        forms->keypicker->ui->Button2->click();
    });
    doubleClickRow(rows(), rows()->topLevelItem(1));
    EXPECT_EQ(action, "Pick Key: Move Backward");
    EXPECT_EQ(keyboard().keyString(1), "Down");
}

// The dialog hides while the picker shows; whoever opened it must still be
// held until "Ok", and the dialog must come back modal with the new key.
TEST_F(KeyboardDialog, ItsModalShowingOutlastsThePicker)
{
    keyboard().FillActionRows();
    keyboard().setKeyString(0, "Up");
    QStringList seen;
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(modal, &keyboard());
        whenModal([&](QWidget* picker) {
            seen << picker->windowTitle() << (keyboard().isVisible() ? "keyboard shown" : "keyboard hidden");
            sendKey(forms->keypicker->ui->ListBox1, Qt::Key_Down);
        });
        doubleClickRow(rows(), rows()->topLevelItem(0));
        whenModal([&](QWidget* again) {
            seen << again->windowTitle() << QString::fromStdString(keyboard().keyString(0));
            keyboard().ui->Button2->click();
        });
    });
    keyboard().exec();
    EXPECT_EQ(seen.join(" | ").toStdString(), "Pick Key | keyboard hidden | Keyboard Configuration | Down");
    EXPECT_FALSE(keyboard().isVisible());
}
