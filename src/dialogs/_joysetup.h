#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TJoySetup;
}

// The joystick dialog: an action for each button's single and double click,
// and the port. Its controls are the settings' working copy.
class TJoySetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TJoySetup(QWidget* parent = nullptr);
    ~TJoySetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TJoySetup> ui;

private:
    void FormCreate();
    void Button1Click();
};
