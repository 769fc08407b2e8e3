#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class TSelectModem;
}
struct Forms;

class TSelectModem : public FixedDialog {
    Q_OBJECT
public:
    explicit TSelectModem(Forms& forms, QWidget* parent = nullptr);
    ~TSelectModem() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TSelectModem> ui;

private:
    Forms& forms_;
};
