#pragma once

#include "components/FixedDialog.h"

#include <memory>
#include <string>

namespace Ui {
class Tkbsetup;
}
class TGetKeyP;
class QKeyEvent;

// The keyboard dialog: one row per keyboard action with the key bound to it.
// The rows are the whole state; the settings store fills them on its first
// load and writes them back on every save.
class Tkbsetup : public FixedDialog {
    Q_OBJECT
public:
    explicit Tkbsetup(QWidget* parent = nullptr);
    ~Tkbsetup() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::Tkbsetup> ui;

    // Replaces every row by one row per keyboard action, each without a key.
    void FillActionRows();

    // Row access for the settings store; texts are the file's 8-bit bytes.
    int rowCount() const;
    std::string rowCaption(int row) const;
    std::string keyString(int row) const;
    void setKeyString(int row, const std::string& key);

    // The key picker that binds a key; it is made after this dialog.
    void setKeyPicker(TGetKeyP& picker) { keyPicker_ = &picker; }

    // The dialog hides while the key picker shows. Hiding ends a modal
    // showing, so a showing interrupted that way resumes once the picker is
    // done, and whoever opened the dialog still waits for "Ok".
    int exec() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Binds a key to the uppermost highlighted row through the key picker.
    void KeySetupDblClick();
    // Whether a key press in the list is a typed character, which is dropped.
    static bool KeySetupKeyPress(const QKeyEvent& key);
    void Button2Click();

    TGetKeyP* keyPicker_ = nullptr;
    bool inExec_ = false;
    bool resumeExec_ = false;
};
