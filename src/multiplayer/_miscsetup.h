#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TMiscSetup;
}
struct Forms;

class TMiscSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TMiscSetup(Forms& forms, QWidget* parent = nullptr);
    ~TMiscSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TMiscSetup> ui;

private:
    Forms& forms_;
};
