#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TModem;
}
struct Forms;

class TModem : public FixedDialog {
    Q_OBJECT
public:
    explicit TModem(Forms& forms, QWidget* parent = nullptr);
    ~TModem() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TModem> ui;

private:
    Forms& forms_;
};
