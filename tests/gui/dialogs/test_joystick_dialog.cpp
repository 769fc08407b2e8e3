#include "GuiTest.h"

#include "components/RadioGroup.h"
#include "dialogs/_joysetup.h"
#include "ui__joysetup.h"

#include <QComboBox>
#include <QLayout>
#include <QRadioButton>

class JoystickDialog : public GuiTest {
protected:
    TJoySetup& joystick() { return *forms->joysetup; }
    Ui::TJoySetup& ui() { return *joystick().ui; }
    QList<QComboBox*> buttonLists()
    {
        return {ui().j_b1, ui().j_b2, ui().j_b3, ui().j_b4, ui().j_dbl_b1, ui().j_dbl_b2, ui().j_dbl_b3, ui().j_dbl_b4};
    }
};

TEST_F(JoystickDialog, AfterCreationEveryButtonDoesNothingOnPortOne)
{
    for (QComboBox* list : buttonLists()) {
        SCOPED_TRACE(list->objectName().toStdString());
        EXPECT_EQ(list->currentText(), "None");
        ASSERT_EQ(list->count(), 21);
        EXPECT_EQ(list->itemText(11), "Move_Forward");
        EXPECT_EQ(list->itemText(18), "Toggle_Crosshair");
        EXPECT_FALSE(list->isEditable());
        EXPECT_GE(list->width(), list->sizeHint().width());
    }
    EXPECT_EQ(ui().JoyPort->items(), QStringList({"Port 1", "Port 2"}));
    EXPECT_EQ(ui().JoyPort->itemIndex(), 0);
    EXPECT_EQ(ui().JoyPort->title(), " Joystick Port ");
}

TEST_F(JoystickDialog, WindowCaptionsAndFocusOrder)
{
    EXPECT_EQ(joystick().windowTitle(), "Joystick Configuration");
    EXPECT_EQ(joystick().size(), QSize(504, 215));
    EXPECT_EQ(ui().Button1->text(), "Ok");
    // Port 1 and Port 2 sit side by side.
    ui().JoyPort->layout()->activate();
    EXPECT_EQ(ui().JoyPort->button(0)->y(), ui().JoyPort->button(1)->y());
    EXPECT_LT(ui().JoyPort->button(0)->x(), ui().JoyPort->button(1)->x());

    QStringList order;
    QWidget* w = ui().j_b1;
    for (int i = 0; i < 40 && order.size() < 11; ++i, w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << (w->parentWidget() == ui().JoyPort ? QString("JoyPort") : w->objectName());
    order.removeDuplicates();
    EXPECT_EQ(order, QStringList({"j_b1", "j_b2", "j_b3", "j_dbl_b1", "j_dbl_b2", "j_dbl_b3", "j_dbl_b4", "j_b4",
                                  "JoyPort", "Button1"}));
}

TEST_F(JoystickDialog, OkOnlyClosesAndKeepsEveryChange)
{
    whenModal([&](QWidget*) {
        ui().j_dbl_b3->setCurrentIndex(20);
        ui().JoyPort->setItemIndex(1);
        ui().Button1->click();
    });
    joystick().exec();
    EXPECT_FALSE(joystick().isVisible());
    EXPECT_EQ(ui().j_dbl_b3->currentText(), "Turn_Right");
    EXPECT_EQ(ui().JoyPort->itemIndex(), 1);
    EXPECT_EQ(platform.writes, 0);
}
