#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TMiscSetup;
}
class TSelectModem;

// The control method and the modem set-up. Its controls are the only copy of
// these settings while the launcher runs: loading and saving the settings,
// the modem game and modem detection all work on them directly.
class TMiscSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TMiscSetup(QWidget* parent = nullptr);
    ~TMiscSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TMiscSetup> ui;

    // The modem list that auto-detection opens; it is made after this dialog.
    void setModemList(TSelectModem& list) { modemList_ = &list; }

private:
    void FormCreate();
    // The IRQ and UART fields count only with "Advance Settings" checked.
    void AdvComClick();
    void Button1Click();  // auto-detect
    void Button2Click();  // "Ok"

    TSelectModem* modemList_ = nullptr;
};
