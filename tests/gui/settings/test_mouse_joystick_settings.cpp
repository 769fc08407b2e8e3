#include "GuiTest.h"

#include "components/RadioGroup.h"
#include "dialogs/_joysetup.h"
#include "dialogs/_mousesetup.h"
#include "platform/Platform.h"
#include "settings/_config.h"
#include "settings/groups.h"
#include "ui__joysetup.h"
#include "ui__mousesetup.h"

#include <QComboBox>
#include <QSlider>

#include <string>

// The mouse and joystick steps on their own, over the store's lines.
class MouseJoystickSettings : public GuiTest {
protected:
    Tconfig& config() { return *forms->config; }
    Ui::TMouseSetup& mouse() { return *forms->mousesetup->ui; }
    Ui::TJoySetup& joystick() { return *forms->joysetup->ui; }

    // Runs the three load steps in the store's order; a file without a port
    // gets one, as the port is a strict key.
    void load(std::string text)
    {
        if (text.find("JoystickPort") == std::string::npos)
            text += "JoystickPort = 0\r\n";
        config().Memo1.read(text);
        settings::loadMouseAimingFlipped(config(), *forms->mousesetup);
        settings::loadMouseButtons(config(), *forms->mousesetup);
        settings::loadJoystick(config(), *forms->joysetup);
    }
    std::string save()
    {
        settings::saveMouseAndJoystick(config(), *forms->mousesetup, *forms->joysetup);
        return config().Memo1.write();
    }
    int positionAfterLoading(const std::string& value)
    {
        mouse().m_Sens->setValue(123);
        load("MouseSensitivity = " + value + "\r\n");
        return mouse().m_Sens->value();
    }
};

TEST_F(MouseJoystickSettings, SensitivityLoadsToTheNearestPositionWithinTheBar)
{
    EXPECT_EQ(positionAfterLoading("32768"), 100);
    EXPECT_EQ(positionAfterLoading("65536"), 200);
    EXPECT_EQ(positionAfterLoading("131072"), 400);
    EXPECT_EQ(positionAfterLoading("2000000000"), 400);
    EXPECT_EQ(positionAfterLoading("52427"), 160);
    EXPECT_EQ(positionAfterLoading("328"), 1);
    EXPECT_EQ(positionAfterLoading("-5"), 0);
    EXPECT_EQ(positionAfterLoading("$8000"), 100);
    EXPECT_EQ(positionAfterLoading(""), 123);
}

TEST_F(MouseJoystickSettings, ASensitivityThatIsNoIntegerStopsTheLoadAfterTheMouseButtons)
{
    try {
        load("MouseButton0 = \"Fire\"\r\nMouseSensitivity = 1.5\r\nJoystickButton0 = \"Run\"\r\n");
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "'1.5' is not a valid integer value");
    }
    EXPECT_EQ(mouse().m_leftb->currentText(), "Fire");
    EXPECT_EQ(joystick().j_b1->currentText(), "None");
}

TEST_F(MouseJoystickSettings, EverySensitivitySurvivesASaveAndALoad)
{
    config().Memo1.read("MouseSensitivity = 0\r\nJoystickPort = 0\r\n");
    for (int p = 0; p <= 400; ++p) {
        mouse().m_Sens->setValue(p);
        settings::saveMouseAndJoystick(config(), *forms->mousesetup, *forms->joysetup);
        mouse().m_Sens->setValue(p == 200 ? 0 : 200);
        settings::loadMouseButtons(config(), *forms->mousesetup);
        ASSERT_EQ(mouse().m_Sens->value(), p);
    }
    mouse().m_Sens->setValue(160);
    EXPECT_NE(save().find("MouseSensitivity = 52427\r\n"), std::string::npos);
}

TEST_F(MouseJoystickSettings, ButtonsAreFoundByTheirFirstQuotedFieldInAnyCase)
{
    load("MouseButton0 = \"fire\"\r\nMouseButton1 = \"send message\" \"x\"\r\nMouseButton2 = Fire\r\n"
         "MouseButtonClicked0 = \"SendMessage\"\r\nMouseButtonClicked2 = \"\"\r\n"
         "JoystickButton2 = \"STRAFE_LEFT\"\r\nJoystickButtonClicked3 = \"Toggle_Crosshair\"\r\n");
    EXPECT_EQ(mouse().m_leftb->currentText(), "Fire");
    EXPECT_EQ(mouse().m_rightb->currentText(), "Send Message");
    EXPECT_EQ(mouse().m_midb->currentText(), "None");
    EXPECT_EQ(mouse().m_dbl_leftb->currentText(), "None");
    EXPECT_EQ(mouse().m_dbl_midb->currentText(), "None");
    // A missing key selects "None" too, overriding the dialog's default.
    EXPECT_EQ(mouse().m_dbl_rightb->currentText(), "None");
    EXPECT_EQ(joystick().j_b3->currentText(), "Strafe_Left");
    EXPECT_EQ(joystick().j_dbl_b4->currentText(), "Toggle_Crosshair");
    EXPECT_EQ(joystick().j_b1->currentText(), "None");
}

TEST_F(MouseJoystickSettings, ButtonsAreWrittenAsTheirItemTextInQuotes)
{
    const std::string before = "MouseButton0 = x\r\nMouseButtonClicked0 = x\r\nMouseButton1 = x\r\n"
                               "MouseButtonClicked1 = x\r\nMouseButton2 = x\r\nMouseButtonClicked2 = x\r\n"
                               "JoystickButton0 = x\r\nJoystickButtonClicked0 = x\r\nJoystickButton1 = x\r\n"
                               "JoystickButtonClicked1 = x\r\nJoystickButton2 = x\r\nJoystickButtonClicked2 = x\r\n"
                               "JoystickButton3 = x\r\nJoystickButtonClicked3 = x\r\n";
    config().Memo1.read(before);
    mouse().m_leftb->setCurrentIndex(6);
    mouse().m_dbl_leftb->setCurrentIndex(14);
    mouse().m_rightb->setCurrentIndex(9);
    mouse().m_dbl_rightb->setCurrentIndex(0);
    mouse().m_midb->setCurrentIndex(-1);
    mouse().m_dbl_midb->setCurrentIndex(20);
    joystick().j_b1->setCurrentIndex(1);
    joystick().j_dbl_b1->setCurrentIndex(2);
    joystick().j_b2->setCurrentIndex(3);
    joystick().j_dbl_b2->setCurrentIndex(4);
    joystick().j_b3->setCurrentIndex(5);
    joystick().j_dbl_b3->setCurrentIndex(7);
    joystick().j_b4->setCurrentIndex(8);
    joystick().j_dbl_b4->setCurrentIndex(18);
    EXPECT_EQ(save(), "MouseButton0 = \"Fire\"\r\nMouseButtonClicked0 = \"Send Message\"\r\n"
                      "MouseButton1 = \"Mouse_Aiming\"\r\nMouseButtonClicked1 = \"None\"\r\n"
                      "MouseButton2 = \"\"\r\nMouseButtonClicked2 = \"Turn_Right\"\r\n"
                      "JoystickButton0 = \"Aim_Down\"\r\nJoystickButtonClicked0 = \"Aim_Up\"\r\n"
                      "JoystickButton1 = \"AutoRun\"\r\nJoystickButtonClicked1 = \"Center_View\"\r\n"
                      "JoystickButton2 = \"Crouch\"\r\nJoystickButtonClicked2 = \"Look_Down\"\r\n"
                      "JoystickButton3 = \"Look_Up\"\r\nJoystickButtonClicked3 = \"Toggle_Crosshair\"\r\n");
}

TEST_F(MouseJoystickSettings, JoystickPortIsClampedByTheGroup)
{
    load("JoystickPort = 1\r\n");
    EXPECT_EQ(joystick().JoyPort->itemIndex(), 1);
    load("JoystickPort = 0\r\n");
    EXPECT_EQ(joystick().JoyPort->itemIndex(), 0);
    load("JoystickPort = 5\r\n");
    EXPECT_EQ(joystick().JoyPort->itemIndex(), 1);
    load("JoystickPort = -3\r\n");
    EXPECT_EQ(joystick().JoyPort->itemIndex(), -1);
    EXPECT_NE(save().find("JoystickPort = -1\r\n"), std::string::npos);
}

TEST_F(MouseJoystickSettings, JoystickPortIsStrictAndReadAfterEveryButton)
{
    for (const char* line : {"", "JoystickPort =\r\n", "JoystickPort = one\r\n"}) {
        SCOPED_TRACE(line);
        joystick().JoyPort->setItemIndex(1);
        config().Memo1.read(std::string("JoystickButtonClicked3 = \"Run\"\r\n") + line);
        try {
            settings::loadJoystick(config(), *forms->joysetup);
            FAIL();
        } catch (const LauncherError& e) {
            EXPECT_STREQ(e.what(), std::string(line).find("one") != std::string::npos
                                       ? "'one' is not a valid integer value"
                                       : "'' is not a valid integer value");
        }
        EXPECT_EQ(joystick().j_dbl_b4->currentText(), "Run");
        EXPECT_EQ(joystick().JoyPort->itemIndex(), 1);
    }
}

TEST_F(MouseJoystickSettings, OnlyExactlyOneInvertsAiming)
{
    load("MouseAimingFlipped = 1\r\n");
    EXPECT_TRUE(mouse().m_invert->isChecked());
    for (const char* value : {"2", "", "01", "true"}) {
        mouse().m_invert->setChecked(true);
        load(std::string("MouseAimingFlipped = ") + value + "\r\n");
        EXPECT_FALSE(mouse().m_invert->isChecked()) << value;
    }
    EXPECT_NE(save().find("MouseAimingFlipped = 0\r\n"), std::string::npos);
    mouse().m_invert->setChecked(true);
    EXPECT_NE(save().find("MouseAimingFlipped = 1\r\n"), std::string::npos);
}

TEST_F(MouseJoystickSettings, AimingModesAreNeitherReadNorWritten)
{
    mouse().m_aim_moment->setChecked(true);
    const std::string file = "MouseAiming =  1 \r\nGameMouseAiming=1\r\nJoystickPort = 0\r\n";
    load(file);
    EXPECT_TRUE(mouse().m_aim_moment->isChecked());
    EXPECT_FALSE(mouse().m_aim_toggle->isChecked());
    // MouseAiming is brought to the written form with its value; a line
    // without the blank before "=" is never replaced.
    EXPECT_EQ(save(), "MouseAiming = 1\r\nGameMouseAiming=1\r\nJoystickPort = 0\r\n");

    load("JoystickPort = 0\r\n");
    EXPECT_EQ(save(), "JoystickPort = 0\r\n");
}

// The control lines of a typical file, loaded and saved again and again.
TEST_F(MouseJoystickSettings, TheDemoSettingsSurviveRepeatedLoadsAndSaves)
{
    const std::string controls =
        "[Controls]\r\nControllerType = 1\r\nJoystickPort = 1\r\nMouseSensitivity = 52427\r\nMouseAiming = 0\r\n"
        "MouseAimingFlipped = 1\r\nGameMouseAiming = 0\r\nMouseButton0 = \"Fire\"\r\n"
        "MouseButtonClicked0 = \"Move_Forward\"\r\nMouseButton1 = \"Send Message\"\r\n"
        "MouseButtonClicked1 = \"Move_Backward\"\r\nMouseButton2 = \"AutoRun\"\r\nMouseButtonClicked2 = \"None\"\r\n"
        "JoystickButton0 = \"Fire\"\r\nJoystickButtonClicked0 = \"None\"\r\nJoystickButton1 = \"Strafe\"\r\n"
        "JoystickButtonClicked1 = \"None\"\r\nJoystickButton2 = \"Run\"\r\nJoystickButtonClicked2 = \"Jump\"\r\n"
        "JoystickButton3 = \"Open\"\r\nJoystickButtonClicked3 = \"Turn_Left\"\r\n";
    // "Jump" is no button action: it loads as "None" and is saved so.
    std::string expected = controls;
    expected.replace(expected.find("\"Jump\""), 6, "\"None\"");
    config().Memo1.read(controls);
    for (int round = 0; round < 3; ++round) {
        load(config().Memo1.write());
        EXPECT_EQ(save(), expected) << round;
    }
    EXPECT_EQ(mouse().m_Sens->value(), 160);
    EXPECT_EQ(joystick().JoyPort->itemIndex(), 1);
}
