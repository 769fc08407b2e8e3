#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tvideomode;
}

// Holds the chosen screen resolution in `ViewMode` until settings are saved.
class Tvideomode : public FixedDialog {
    Q_OBJECT
public:
    explicit Tvideomode(QWidget* parent = nullptr);
    ~Tvideomode() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tvideomode> ui;

private:
    void Button1Click();
};
