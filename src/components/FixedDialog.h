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
    void showEvent(QShowEvent* event) override;
};

// Selects `index` in a combo box the way the classic list does: an index
// outside the items leaves no selection. Code never runs the user's handler.
class QComboBox;
void setItemIndex(QComboBox* list, int index);
