#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tvideomode;
}
struct Forms;

// Holds the chosen screen resolution in `ViewMode` until settings are saved.
class Tvideomode : public FixedDialog {
    Q_OBJECT
public:
    explicit Tvideomode(Forms& forms, QWidget* parent = nullptr);
    ~Tvideomode() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tvideomode> ui;

private:
    void Button1Click();

    Forms& forms_;
};
