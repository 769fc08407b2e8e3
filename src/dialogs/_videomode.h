#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tvideomode;
}
struct Forms;

class Tvideomode : public FixedDialog {
    Q_OBJECT
public:
    explicit Tvideomode(Forms& forms, QWidget* parent = nullptr);
    ~Tvideomode() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tvideomode> ui;

private:
    Forms& forms_;
};
