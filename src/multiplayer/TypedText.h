#pragma once
// Text typed into the multiplayer and modem edits ends up on a line of the
// settings file or the launch file. These keep it fit for that line and hand
// it over as the 8-bit bytes those files hold.

#include <string>

class QLineEdit;

namespace typedtext {
// Readies an edit whose text the files hold: no length limit (a value of any
// length loads and saves whole), only characters the code page holds, and
// every CR and LF it receives, typed, pasted or set by code, dropped.
void holdFileText(QLineEdit* edit);
// The edit's text as file bytes, without line breaks.
std::string bytes(const QLineEdit* edit);
}  // namespace typedtext
