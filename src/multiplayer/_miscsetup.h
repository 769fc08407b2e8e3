#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TMiscSetup;
}
class Platform;
class TSelectModem;

// The control method and the modem set-up. Its controls are the only copy of
// these settings while the launcher runs: loading and saving the settings,
// the modem game and modem detection all work on them directly.
class TMiscSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TMiscSetup(Platform& platform, QWidget* parent = nullptr);
    ~TMiscSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TMiscSetup> ui;

    // The modem list that auto-detection opens; it is made after this dialog.
    void setModemList(TSelectModem& list) { modemList_ = &list; }

    // Why DOSBox has no modem on the chosen COM port (none chosen, or COM5:
    // to COM8:), in the player's words; empty where it has one.
    QString dosBoxPortProblem() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Where the game runs in DOSBox, says so when the modem's port or UART
    // address is one DOSBox does not have; the choice itself stays.
    void UpdateDosBoxNote();
    QString portName() const;
    void FormCreate();
    // The IRQ and UART fields count only with "Advance Settings" checked.
    void AdvComClick();
    void Button1Click();  // auto-detect
    void Button2Click();  // "Ok"

    Platform& platform_;
    TSelectModem* modemList_ = nullptr;
    bool gameInDosBox_ = false;  // as found at the last showing
};
