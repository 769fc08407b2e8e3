#pragma once
// The launcher's windows are fixed-size, centred on the screen, and shown
// modally and hidden again, never destroyed; they keep their state all run.

#include <QDialog>

namespace window {
// Fixes the window at its current size and gives it a title bar with a close
// box only (and a minimise box when asked).
void makeFixed(QWidget* window, bool minimiseBox = false);
void centreOnScreen(QWidget* window);
}  // namespace window

class FixedDialog : public QDialog {
    Q_OBJECT
public:
    explicit FixedDialog(QWidget* parent = nullptr);

protected:
    // Call after setupUi(): the form has given the window its size.
    void finishForm();
    // The first showing also fits every label marked "groupTitle" in the form
    // (a bold title on a black band over a frame's edge) to its text, so the
    // band hugs the words whatever face stands in for the form's font. It
    // waits for the showing: measuring the bold face at start-up would load
    // it for windows that may never open.
    void showEvent(QShowEvent* event) override;

private:
    bool titlesFitted_ = false;
};

// Selects `index` in a combo box the way the classic list does: an index
// outside the items leaves no selection. Code never runs the user's handler.
class QComboBox;
void setItemIndex(QComboBox* list, int index);
