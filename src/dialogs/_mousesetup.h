#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TMouseSetup;
}

// The mouse dialog: an action for each button's single and double click, the
// sensitivity and the aiming mode. Its controls are the settings' working copy.
class TMouseSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TMouseSetup(QWidget* parent = nullptr);
    ~TMouseSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TMouseSetup> ui;

private:
    void FormCreate();
    // The two aiming modes exclude each other: each box sets the other to its
    // opposite, which ends there because the other already is.
    void m_aim_toggleClick();
    void m_aim_momentClick();
    void Button1Click();
};
