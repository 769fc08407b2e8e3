#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TJoySetup;
}
struct Forms;

class TJoySetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TJoySetup(Forms& forms, QWidget* parent = nullptr);
    ~TJoySetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TJoySetup> ui;

private:
    Forms& forms_;
};
