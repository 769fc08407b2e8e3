#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tview;
}

// Shows a text file (the audio help). Its memo can be typed into, but
// nothing typed is ever kept: the next showing reloads the file.
class Tview : public FixedDialog {
    Q_OBJECT
public:
    explicit Tview(QWidget* parent = nullptr);
    ~Tview() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tview> ui;

private:
    void Button1Click();
};
