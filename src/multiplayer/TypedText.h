#pragma once
// Text typed into the multiplayer and modem edits ends up on a line of the
// settings file or the launch file. These keep it on one line and hand it
// over as the 8-bit bytes those files hold.

#include <string>

class QLineEdit;

namespace typedtext {
// Drops every CR and LF the edit receives, typed, pasted or set by code.
void keepOnOneLine(QLineEdit* edit);
// The edit's text as file bytes, without line breaks.
std::string bytes(const QLineEdit* edit);
}  // namespace typedtext
