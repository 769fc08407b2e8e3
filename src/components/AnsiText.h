#pragma once
// The windows' side of the code page: file bytes shown as text, typed text
// handed back as the bytes the files hold. Every 8-bit text that reaches a
// window, or leaves one for a file, goes through here.

#include <QString>

#include <string>
#include <string_view>

class QLineEdit;

namespace ansitext {

QString fromBytes(std::string_view bytes);

// The text's bytes. A character the code page cannot hold becomes "?"; the
// fields refuse such characters, so only text from elsewhere can hold one.
std::string toBytes(const QString& text);

// Whether the code page holds every character of the text.
bool fits(const QString& text);

// Keeps the edit to characters the code page holds: typing or pasting any
// other leaves the field as it was, rather than saving something else later.
void acceptOnlyCodePage(QLineEdit* edit);

}  // namespace ansitext
