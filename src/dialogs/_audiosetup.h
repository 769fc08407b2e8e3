#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TAudioSetup;
}
struct Forms;

class TAudioSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TAudioSetup(Forms& forms, QWidget* parent = nullptr);
    ~TAudioSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TAudioSetup> ui;

private:
    Forms& forms_;
};
