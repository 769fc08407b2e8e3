#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tview;
}
struct Forms;

// Shows a text file (the audio help). Its memo can be typed into, but
// nothing typed is ever kept: the next showing reloads the file.
class Tview : public FixedDialog {
    Q_OBJECT
public:
    explicit Tview(Forms& forms, QWidget* parent = nullptr);
    ~Tview() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tview> ui;

private:
    void Button1Click();

    Forms& forms_;
};
