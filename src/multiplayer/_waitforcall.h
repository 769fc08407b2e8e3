#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TWaitForCall;
}
class Platform;

// Before a modem game waits for a call through DOSBox: where the other
// player calls (this computer's address with the modem's port, over the
// internet the home router's, which is asked to forward the port). Start
// waits for the call; a port another program holds refuses it, with the
// reason.
class TWaitForCall : public FixedDialog {
    Q_OBJECT
public:
    explicit TWaitForCall(Platform& platform, QWidget* parent = nullptr);
    ~TWaitForCall() override;

    std::unique_ptr<Ui::TWaitForCall> ui;

    // Shows the window modally for a modem answering on TCP `port`; true
    // when the player starts waiting, false when they cancel.
    bool Ask(int port);

private:
    void Button1Click();  // "&Start"
    void Button2Click();  // "Cancel"

    Platform& platform_;
    QString intro_;  // the form's text, with the port to fill in
};
