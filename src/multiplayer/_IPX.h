#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TIPX;
}
struct Forms;

class TIPX : public FixedDialog {
    Q_OBJECT
public:
    explicit TIPX(Forms& forms, QWidget* parent = nullptr);
    ~TIPX() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TIPX> ui;

private:
    Forms& forms_;
};
