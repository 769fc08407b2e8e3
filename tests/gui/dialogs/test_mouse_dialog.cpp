#include "GuiTest.h"

#include "dialogs/_mousesetup.h"
#include "ui__mousesetup.h"

#include <QComboBox>
#include <QSlider>

class MouseDialog : public GuiTest {
protected:
    TMouseSetup& mouse() { return *forms->mousesetup; }
    Ui::TMouseSetup& ui() { return *mouse().ui; }
    QList<QComboBox*> buttonLists()
    {
        return {ui().m_leftb, ui().m_midb, ui().m_rightb, ui().m_dbl_leftb, ui().m_dbl_midb, ui().m_dbl_rightb};
    }
};

// The widgets keyboard focus visits from `first` on, by object name.
static QStringList focusOrder(QWidget* first, int count)
{
    QStringList names;
    QWidget* w = first;
    while (names.size() < count) {
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
        w = w->nextInFocusChain();
        if (w == first)
            break;
    }
    return names;
}

TEST_F(MouseDialog, AfterCreationHoldsTheGamesDefaults)
{
    QStringList chosen;
    for (QComboBox* list : buttonLists())
        chosen << list->currentText();
    EXPECT_EQ(chosen, QStringList({"None", "AutoRun", "Move_Backward", "Move_Forward", "AutoRun", "Move_Backward"}));
    EXPECT_EQ(ui().m_Sens->value(), 160);
    EXPECT_TRUE(ui().m_aim_toggle->isChecked());
    EXPECT_FALSE(ui().m_aim_moment->isChecked());
    EXPECT_FALSE(ui().m_invert->isChecked());
}

TEST_F(MouseDialog, EveryButtonOffersTheSameTwentyOneActionsAsAFixedList)
{
    for (QComboBox* list : buttonLists()) {
        SCOPED_TRACE(list->objectName().toStdString());
        ASSERT_EQ(list->count(), 21);
        EXPECT_EQ(list->itemText(0), "None");
        EXPECT_EQ(list->itemText(14), "Send Message");
        EXPECT_EQ(list->itemText(20), "Turn_Right");
        EXPECT_FALSE(list->isEditable());
        EXPECT_GE(list->width(), list->sizeHint().width());
    }
}

TEST_F(MouseDialog, SensitivityRunsFromZeroToFourHundredWithTicksOnBothSides)
{
    QSlider* sens = ui().m_Sens;
    EXPECT_EQ(sens->orientation(), Qt::Horizontal);
    EXPECT_EQ(sens->tickPosition(), QSlider::TicksBothSides);
    EXPECT_EQ(sens->tickInterval(), 1);
    EXPECT_EQ(sens->singleStep(), 1);
    sens->setValue(400);
    EXPECT_EQ(sens->value(), 400);
    sens->setValue(-1);
    EXPECT_EQ(sens->value(), 0);
    sens->setValue(401);
    EXPECT_EQ(sens->value(), 400);
}

TEST_F(MouseDialog, TheAimingModesAlwaysStayOpposite)
{
    ui().m_aim_moment->click();
    EXPECT_TRUE(ui().m_aim_moment->isChecked());
    EXPECT_FALSE(ui().m_aim_toggle->isChecked());
    ui().m_aim_moment->click();
    EXPECT_FALSE(ui().m_aim_moment->isChecked());
    EXPECT_TRUE(ui().m_aim_toggle->isChecked());
    ui().m_aim_toggle->click();
    EXPECT_FALSE(ui().m_aim_toggle->isChecked());
    EXPECT_TRUE(ui().m_aim_moment->isChecked());
    // Code setting a box runs the same handler as a click does.
    ui().m_aim_toggle->setChecked(true);
    EXPECT_FALSE(ui().m_aim_moment->isChecked());
    ui().m_invert->click();
    EXPECT_TRUE(ui().m_aim_toggle->isChecked());
    EXPECT_FALSE(ui().m_aim_moment->isChecked());
}

TEST_F(MouseDialog, WindowCaptionsAndFocusOrder)
{
    EXPECT_EQ(mouse().windowTitle(), "Mouse Configuration");
    EXPECT_EQ(mouse().size(), QSize(377, 371));
    EXPECT_EQ(ui().m_aim_toggle->text(), "Mouse Aiming is a toggle button");
    EXPECT_EQ(ui().m_aim_moment->text(), "Mouse Aiming is a momentary button");
    EXPECT_EQ(ui().m_invert->text(), "Invert Mouse Aiming up and down");
    EXPECT_EQ(ui().Button1->text(), "Ok");
    QStringList titles;
    for (QLabel* label : mouse().findChildren<QLabel*>())
        if (label->property("groupTitle").toBool())
            titles << label->text();
    titles.sort();
    EXPECT_EQ(titles, QStringList({" Double Clicked Mouse Buttons ", " Mouse Aiming Mode ", " Mouse Sensitivity ",
                                   " Single Clicked Mouse Buttons "}));
    EXPECT_EQ(focusOrder(ui().m_leftb, 11),
              QStringList({"m_leftb", "m_midb", "m_rightb", "m_dbl_leftb", "m_dbl_midb", "m_dbl_rightb", "m_Sens",
                           "Button1", "m_aim_toggle", "m_aim_moment", "m_invert"}));
}

TEST_F(MouseDialog, OkOnlyClosesAndKeepsEveryChange)
{
    whenModal([&](QWidget*) {
        ui().m_leftb->setCurrentIndex(6);
        ui().m_Sens->setValue(7);
        ui().Button1->click();
    });
    mouse().exec();
    EXPECT_FALSE(mouse().isVisible());
    EXPECT_EQ(ui().m_leftb->currentText(), "Fire");
    EXPECT_EQ(ui().m_Sens->value(), 7);
    EXPECT_EQ(platform.writes, 0);
}
