#pragma once

#include "components/FixedDialog.h"

#include <memory>

namespace Ui {
class Tconfigmenu;
}
struct Forms;

// The hub of the game's setup: opens each setup dialog and, on the way back
// to the main menu, writes every setting to the settings file.
class Tconfigmenu : public FixedDialog {
    Q_OBJECT
public:
    explicit Tconfigmenu(Forms& forms, QWidget* parent = nullptr);
    ~Tconfigmenu() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tconfigmenu> ui;

protected:
    // The menu has no cancel button: Escape does nothing here, so a stray one
    // cannot throw away the edits. Only the close box leaves without saving.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Button1Click();
    void Button2Click();
    void Button7Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();

    Forms& forms_;
};
