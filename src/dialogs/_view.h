#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tview;
}
struct Forms;

class Tview : public FixedDialog {
    Q_OBJECT
public:
    explicit Tview(Forms& forms, QWidget* parent = nullptr);
    ~Tview() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tview> ui;

private:
    Forms& forms_;
};
