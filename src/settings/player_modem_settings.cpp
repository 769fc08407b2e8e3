// Player name, control method and modem settings. The modem keys are looked
// up in capitals and written in mixed case; keys compare without case, so
// each pair is one line of the file.
#include "settings/groups.h"

#include "components/AnsiText.h"
#include "core/Text.h"
#include "multiplayer/TypedText.h"
#include "multiplayer/_miscsetup.h"
#include "settings/ListControls.h"
#include "settings/_config.h"
#include "ui__miscsetup.h"

namespace settings {

namespace {
std::string quoted(const std::string& text) { return "\"" + text::withoutLineBreaks(text) + "\""; }

// Read as COMPORT, written as ComPort. A port outside the list leaves none
// selected, which is written as port 0.
const ListSetting ComPort{
    "ComPort", {"1", "2", "3", "4", "5", "6", "7", "8"}, -1, ListSetting::Read::IntegerIfGiven, "0"};
}  // namespace

void loadPlayerName(Tconfig& config)
{
    const std::string value = config.GetSetting("PlayerName");
    if (!value.empty())
        config.StoredPlayerName = text::stripEnclosingQuotes(value);
}

void loadControlAndModem(Tconfig& config, TMiscSetup& miscSetup)
{
    Ui::TMiscSetup& misc = *miscSetup.ui;

    std::string value = config.GetSetting("ControllerType");
    if (!value.empty())
        misc.ControlMethod->setItemIndex(strToInt(value));  // the group clamps it

    loadList(config, ComPort, misc.ComPort);

    value = config.GetSetting("INITSTRING");
    if (!value.empty())
        misc.InitStr->setText(ansitext::fromBytes(text::stripEnclosingQuotes(value)));

    value = config.GetSetting("IRQNUMBER");
    if (value.empty())
        return;
    // The fields' enabled state is set here too: the check box reports only
    // changes, and it may already be in the state the file asks for.
    if (value == "~") {
        misc.AdvCom->setChecked(false);
        misc.ComIRQ->setEnabled(false);
        misc.COMUart->setEnabled(false);
        return;
    }
    misc.AdvCom->setChecked(true);
    misc.ComIRQ->setEnabled(true);
    misc.COMUart->setEnabled(true);
    misc.ComIRQ->setText(ansitext::fromBytes(value));
    misc.COMUart->setText(ansitext::fromBytes(config.GetSetting("UARTADDRESS")));
}

void saveControlMethod(Tconfig& config, TMiscSetup& misc)
{
    config.ReplaceSetting("ControllerType = " + std::to_string(misc.ui->ControlMethod->itemIndex()));
}

void saveModemAndPlayer(Tconfig& config, TMiscSetup& miscSetup)
{
    const Ui::TMiscSetup& misc = *miscSetup.ui;
    saveList(config, ComPort, misc.ComPort->currentIndex());
    if (misc.AdvCom->isChecked()) {
        config.ReplaceSetting("IrqNumber = " + typedtext::bytes(misc.ComIRQ));
        config.ReplaceSetting("UartAddress = " + typedtext::bytes(misc.COMUart));
    } else {
        config.ReplaceSetting("IrqNumber = ~");
        config.ReplaceSetting("UartAddress = ~");
    }
    config.ReplaceSetting("InitString = " + quoted(typedtext::bytes(misc.InitStr)));
    config.ReplaceSetting("PlayerName = " + quoted(config.StoredPlayerName));
}

}  // namespace settings
