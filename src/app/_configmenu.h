#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tconfigmenu;
}
struct Forms;

class Tconfigmenu : public FixedDialog {
    Q_OBJECT
public:
    explicit Tconfigmenu(Forms& forms, QWidget* parent = nullptr);
    ~Tconfigmenu() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tconfigmenu> ui;

private:
    Forms& forms_;
};
