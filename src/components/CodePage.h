#pragma once
// The game's files hold 8-bit text in the system's ANSI code page; the
// windows show UTF-16. These two conversions are the only bridge between them.
//
// On Windows they use the system's ANSI code page. Elsewhere they use
// Windows-1252, the code page such files carry, with its five undefined bytes
// (0x81, 0x8D, 0x8F, 0x90 and 0x9D) standing for the control characters of
// the same number, so that every byte value survives a trip through text.
//
// Standard library only (and the Win32 API on Windows): the Windows test
// program builds it without the toolkit.

#include <optional>
#include <string>
#include <string_view>

namespace codepage {

// The text the bytes stand for.
std::u16string toUtf16(std::string_view bytes);

// The bytes of the text, or nothing when one of its characters has no byte
// in the code page. Never a look-alike: "Ā" is refused, not written as "A".
std::optional<std::string> fromUtf16(std::u16string_view text);

}  // namespace codepage
