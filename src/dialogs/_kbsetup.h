#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tkbsetup;
}
struct Forms;

class Tkbsetup : public FixedDialog {
    Q_OBJECT
public:
    explicit Tkbsetup(Forms& forms, QWidget* parent = nullptr);
    ~Tkbsetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tkbsetup> ui;

private:
    Forms& forms_;
};
