#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TIPX;
}
struct Forms;

// An IPX network game for two to eight players. The main menu fills in the
// stored player name and "2 Players" before every showing.
class TIPX : public FixedDialog {
    Q_OBJECT
public:
    explicit TIPX(Forms& forms, QWidget* parent = nullptr);
    ~TIPX() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TIPX> ui;

    void Button1Click();  // "&Start"
    void Button2Click();  // "&Abort"

private:
    Forms& forms_;
};
