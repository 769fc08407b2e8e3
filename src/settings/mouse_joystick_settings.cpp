// Mouse and joystick settings: the fourteen button actions (stored by their
// item text in quotes), the mouse sensitivity, inverted aiming and the
// joystick port. The aiming-mode pair of the mouse dialog is not stored;
// MouseAiming and GameMouseAiming keep the values the game wrote.
#include "settings/groups.h"

#include "components/AnsiText.h"
#include "components/RadioGroup.h"
#include "dialogs/ActionTables.h"
#include "dialogs/_joysetup.h"
#include "dialogs/_mousesetup.h"
#include "settings/_config.h"

#include "ui__joysetup.h"
#include "ui__mousesetup.h"

#include <string>
#include <utility>
#include <vector>

namespace settings {

namespace {
using ButtonKeys = std::vector<std::pair<const char*, QComboBox*>>;

// Each device's keys in the order the file is written: each button's single
// click, then its double click. Loading reads the same keys; no key of these
// can fail a load, so the order it reads them in leaves no trace.
ButtonKeys mouseButtons(Ui::TMouseSetup& m)
{
    return {{"MouseButton0", m.m_leftb},  {"MouseButtonClicked0", m.m_dbl_leftb},
            {"MouseButton1", m.m_rightb}, {"MouseButtonClicked1", m.m_dbl_rightb},
            {"MouseButton2", m.m_midb},   {"MouseButtonClicked2", m.m_dbl_midb}};
}

ButtonKeys joystickButtons(Ui::TJoySetup& j)
{
    return {{"JoystickButton0", j.j_b1}, {"JoystickButtonClicked0", j.j_dbl_b1},
            {"JoystickButton1", j.j_b2}, {"JoystickButtonClicked1", j.j_dbl_b2},
            {"JoystickButton2", j.j_b3}, {"JoystickButtonClicked2", j.j_dbl_b3},
            {"JoystickButton3", j.j_b4}, {"JoystickButtonClicked3", j.j_dbl_b4}};
}

void loadButtons(Tconfig& config, const ButtonKeys& buttons)
{
    for (const auto& [key, list] : buttons)
        config.SelectQuotedItem(key, list);
}

// A list without a selection writes an empty pair of quotes.
void saveButtons(Tconfig& config, const ButtonKeys& buttons)
{
    for (const auto& [key, list] : buttons)
        config.ReplaceSetting(std::string(key) + " = \"" + ansitext::toBytes(list->currentText()) + "\"");
}
}  // namespace

void loadMouseAimingFlipped(Tconfig& config, TMouseSetup& mouseSetup)
{
    mouseSetup.ui->m_invert->setChecked(config.GetSetting("MouseAimingFlipped") == "1");
}

void loadMouseButtons(Tconfig& config, TMouseSetup& mouseSetup)
{
    Ui::TMouseSetup& mouse = *mouseSetup.ui;
    loadButtons(config, mouseButtons(mouse));
    const std::string sensitivity = config.GetSetting("MouseSensitivity");
    if (!sensitivity.empty())
        mouse.m_Sens->setValue(controls::sensitivityPosition(strToInt(sensitivity)));
}

void loadJoystick(Tconfig& config, TJoySetup& joystickSetup)
{
    Ui::TJoySetup& joystick = *joystickSetup.ui;
    loadButtons(config, joystickButtons(joystick));
    // The group clamps the port to "no port" .. "Port 2".
    joystick.JoyPort->setItemIndex(strToInt(config.GetSetting("JoystickPort")));
}

void saveMouseAndJoystick(Tconfig& config, TMouseSetup& mouseSetup, TJoySetup& joystickSetup)
{
    Ui::TMouseSetup& mouse = *mouseSetup.ui;
    Ui::TJoySetup& joystick = *joystickSetup.ui;
    config.ReplaceSetting("JoystickPort = " + std::to_string(joystick.JoyPort->itemIndex()));
    config.ReplaceSetting("MouseSensitivity = " + std::to_string(controls::sensitivityFileValue(mouse.m_Sens->value())));
    config.RewriteSetting("MouseAiming");
    config.ReplaceSetting(std::string("MouseAimingFlipped = ") + (mouse.m_invert->isChecked() ? "1" : "0"));
    saveButtons(config, mouseButtons(mouse));
    saveButtons(config, joystickButtons(joystick));
    config.RewriteSetting("GameMouseAiming");
}

}  // namespace settings
