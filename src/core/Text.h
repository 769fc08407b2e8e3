#pragma once
// Text as the launcher's files hold it: 8-bit bytes, in which only the ASCII
// letters have a case. Every layer folds, trims and splits text through
// these, so they mean the same everywhere.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Folds a to z only; every other byte stays as it is.
inline char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
std::string upperAscii(std::string_view text);
// Whether `text` begins with `prefix`, the ASCII letters folded.
bool startsWithFolded(std::string_view text, std::string_view prefix);
// Folds A to Z only.
std::string lowerAscii(std::string_view text);
// Removes leading and trailing bytes below 33 (blanks and control characters).
std::string_view trimControl(std::string_view text);
// The number `text` spells in decimal digits and nothing else, at most
// `maxDigits` of them (so it always fits); none for any other text.
std::optional<int> decimal(std::string_view text, std::size_t maxDigits);
// The text without its CR and LF bytes. A typed value never ends a line of
// the settings file or the launch file early: a line break inside it would
// start a line the reader takes as a key of its own.
std::string withoutLineBreaks(std::string_view text);
// The lines of `bytes`: CR LF, a lone CR and a lone LF each end a line, and
// an empty text after the final break is not a line.
std::vector<std::string> splitLines(std::string_view bytes);
// The fields between the separators, empty ones included: "a::b" is "a", "",
// "b", and "" is one empty field.
std::vector<std::string> splitFields(std::string_view text, char separator);
// Sixteen hexadecimal digits that differ wherever the texts do in practice
// (64-bit FNV-1a): the same on every run and every system, so a name made
// from a path is found again by the next start.
std::string fingerprint(std::string_view text);

// Every blank turned into "_".
std::string spacesToUnderscores(std::string text);

// The first double-quoted field of a value: one leading quote is dropped and
// the text is cut before the next quote; without a next quote the field is
// empty. "\"Up\" \"\"" gives "Up"; "Fire" (unquoted) gives "".
std::string firstQuotedField(std::string_view value);

// Drops the first character when it is a double quote and the last character
// when it is a double quote.
std::string stripEnclosingQuotes(std::string_view value);

}  // namespace text
