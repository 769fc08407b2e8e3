#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TSelectModem;
}
class Platform;
class TMiscSetup;

// Lists the modems the system has installed; OK copies the chosen one's port
// and init command into the misc dialog.
class TSelectModem : public FixedDialog {
    Q_OBJECT
public:
    TSelectModem(Platform& platform, TMiscSetup& misc, QWidget* parent = nullptr);
    ~TSelectModem() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TSelectModem> ui;

    // Rebuilds the list from the registry, so a modem installed meanwhile
    // shows up. Each entry keeps the number of the subkey it came from.
    void FillModemList();

private:
    void ModemListClick();
    void Button1Click();  // "OK": the confirmation
    void Button2Click();  // "Cancel"

    Platform& platform_;
    TMiscSetup& misc_;
};
