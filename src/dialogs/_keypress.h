#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TGetKeyP;
}
struct Forms;

class TGetKeyP : public FixedDialog {
    Q_OBJECT
public:
    explicit TGetKeyP(Forms& forms, QWidget* parent = nullptr);
    ~TGetKeyP() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TGetKeyP> ui;

private:
    Forms& forms_;
};
