#pragma once

#include "components/FixedDialog.h"
#include "multiplayer/StartSequence.h"

#include <memory>

namespace Ui {
class TModem;
}
class TMiscSetup;
class TWaitForCall;

// A two-player game over a modem, calling the opponent or waiting for the
// call. The port and the modem commands come from the misc dialog.
class TModem : public FixedDialog {
    Q_OBJECT
public:
    TModem(const NetworkStart& start, TMiscSetup& misc, QWidget* parent = nullptr);
    ~TModem() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TModem> ui;
    // Shown by "&Wait For Call" where the game waits in DOSBox.
    std::unique_ptr<TWaitForCall> waitforcall;

private:
    void Button1Click();  // "&Call Opponent"
    void Button2Click();  // "&Wait For Call"
    void Button3Click();  // "&Abort"
    void startModemGame(bool call);

    NetworkStart start_;
    TMiscSetup& misc_;
};
