#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TMouseSetup;
}
struct Forms;

class TMouseSetup : public FixedDialog {
    Q_OBJECT
public:
    explicit TMouseSetup(Forms& forms, QWidget* parent = nullptr);
    ~TMouseSetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TMouseSetup> ui;

private:
    Forms& forms_;
};
