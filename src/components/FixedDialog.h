#pragma once
// The launcher's windows are fixed-size, centred on the screen, and shown
// modally and hidden again, never destroyed; they keep their state all run.
// Their keys behave as on Windows: Return presses the focused push button,
// and only a button the form makes the default takes Return from elsewhere.

#include <QDialog>

class QKeyEvent;
class QLabel;

namespace window {
// Fixes the window at its current size and gives it a title bar with a close
// box only (and a minimise box when asked).
void makeFixed(QWidget* window, bool minimiseBox = false);
// Centres the window with its frame on the screen. Before the window manager
// has framed it, the frame another launcher window got stands in for its
// own, so the first showing lands where every later one does.
void centreOnScreen(QWidget* window);
// Notes the frame around a window that is about to hide, while the window
// system can still tell it; every window calls this on its way out.
void noteFrame(QWidget* window);
// Return or Enter on a focused, enabled push button clicks it; true when one
// was clicked.
bool pressFocusedButton(QWidget* window, QKeyEvent* key);
}  // namespace window

class FixedDialog : public QDialog {
    Q_OBJECT
public:
    explicit FixedDialog(QWidget* parent = nullptr);

    // Hiding notes the window's frame for the next centring (noteFrame).
    void setVisible(bool visible) override;

    // Shows `text` in `note`, a label the form keeps hidden below everything
    // else, and grows the window down to hold it; empty text hides the note
    // and gives the window its own size back.
    void showNote(QLabel* note, const QString& text);

protected:
    // Call after setupUi(): the form has given the window its size and its
    // default button, if it has one. No other button becomes the default on
    // the way (Qt's dialogs make every focused button one), so Return in a
    // field or a list presses nothing unless the form says so.
    // Labels pass on their controls' accessible names, and combo boxes tell
    // their items to screen readers (Accessibility.h).
    void finishForm();
    // Every showing centres the window. The first also fits every label
    // marked "groupTitle" in the form (a bold title on a black band over a
    // frame's edge) to its text, so the band hugs the words whatever face
    // stands in for the form's font. It waits for the showing: measuring the
    // bold face at start-up would load it for windows that may never open.
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool titlesFitted_ = false;
    int formHeight_ = -1;  // without a note
};
