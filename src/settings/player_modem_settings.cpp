// Player name, control method and modem settings. The modem keys are looked
// up in capitals and written in mixed case; keys compare without case, so
// each pair is one line of the file.
#include "settings/groups.h"

#include "ui__miscsetup.h"

#include "app/Forms.h"
#include "components/AnsiText.h"
#include "components/FixedDialog.h"
#include "core/Text.h"
#include "multiplayer/TypedText.h"
#include "multiplayer/_miscsetup.h"
#include "settings/_config.h"

#include <cstdint>

namespace settings {

namespace {
std::string quoted(const std::string& text) { return "\"" + text::withoutLineBreaks(text) + "\""; }
}  // namespace

void loadPlayerName(Tconfig& config, Forms&)
{
    const std::string value = config.GetSetting("PlayerName");
    if (!value.empty())
        config.StoredPlayerName = text::stripEnclosingQuotes(value);
}

void loadControlAndModem(Tconfig& config, Forms& forms)
{
    Ui::TMiscSetup& misc = *forms.miscsetup->ui;

    std::string value = config.GetSetting("ControllerType");
    if (!value.empty())
        misc.ControlMethod->setItemIndex(strToInt(value));  // the group clamps it

    value = config.GetSetting("COMPORT");
    if (!value.empty()) {
        // A port outside the list leaves none selected.
        const std::int64_t index = std::int64_t(strToInt(value)) - 1;
        setItemIndex(misc.ComPort, index >= 0 && index < misc.ComPort->count() ? int(index) : -1);
    }

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

void saveControlMethod(Tconfig& config, Forms& forms)
{
    config.ReplaceSetting("ControllerType = " + std::to_string(forms.miscsetup->ui->ControlMethod->itemIndex()));
}

void saveModemAndPlayer(Tconfig& config, Forms& forms)
{
    const Ui::TMiscSetup& misc = *forms.miscsetup->ui;
    config.ReplaceSetting("ComPort = " + std::to_string(misc.ComPort->currentIndex() + 1));
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
