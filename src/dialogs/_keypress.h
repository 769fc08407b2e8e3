#pragma once

#include "components/FixedDialog.h"

#include <memory>
#include <string>

namespace Ui {
class TGetKeyP;
}

// The key picker: lists every key the game knows and returns the one the
// user picks. A pick closes it at once; the highlight stays from one showing
// to the next.
class TGetKeyP : public FixedDialog {
    Q_OBJECT
public:
    explicit TGetKeyP(QWidget* parent = nullptr);
    ~TGetKeyP() override;

    // Other windows read and set these controls directly.
    std::unique_ptr<Ui::TGetKeyP> ui;

    // Before a showing: the key to highlight (lookup form, or "..."). After a
    // pick: the picked entry in stored form, "<None>" for no key. A showing
    // closed any other way ends with exec() returning Rejected.
    std::string SelectedKey;

    // Highlights SelectedKey's entry without picking it; a key the list lacks
    // leaves nothing highlighted, so "Ok" cannot bind a stale entry.
    void SelectCurrentKey();
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Picks the highlighted entry and closes; nothing highlighted, nothing done.
    void ListBox1Click();
    void Button1Click();
    void Button2Click();
};
