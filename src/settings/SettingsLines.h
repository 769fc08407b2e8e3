#pragma once
// The settings file as the game writes it: 8-bit text of "Key = value" lines.
// Everything here works on bytes (std::string) and knows nothing of windows,
// so it is unit-tested directly and also builds for Windows.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace settings {

// The file's lines one for one, in file order. Lines never hold CR or LF.
class LineBuffer {
public:
    // Replaces the content with the lines of `bytes`: CR LF, a lone CR and a
    // lone LF each end a line; an empty text after the final break is not a line.
    void read(std::string_view bytes);
    // The lines joined by CR LF, ending with one exactly when the text read did.
    std::string write() const;
    void clear();

    const std::vector<std::string>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    const std::string& operator[](std::size_t i) const { return lines_[i]; }
    // For whoever fills a buffer without a file (tests, the initial content).
    void append(std::string line);
    bool endsWithLineBreak() const { return finalBreak_; }

    // The trimmed value of the first setting line whose trimmed key equals
    // `key` (compared untrimmed, ASCII letters folded); "" when none does.
    std::string getSetting(std::string_view key) const;
    // Replaces the first non-empty line that starts with `line`'s prefix up to
    // and including its first "=" (case-folded). Never appends. Returns whether
    // a line was replaced.
    bool replaceSetting(const std::string& line);
    // Brings the key's first line to the "Key = value" form, keeping its value.
    void rewriteSetting(std::string_view key);

private:
    void buildIndex() const;
    void dropIndex() { indexed_ = false; }

    std::vector<std::string> lines_;
    bool finalBreak_ = true;

    // Lookups would otherwise rescan every line for every key the launcher
    // knows. Both maps give the first line that can answer, so first-match
    // semantics hold. A replacement never invalidates them: the new line has
    // the same head (text up to its first "=", folded) as the line it
    // replaces, hence the same key and the same kind of line.
    mutable bool indexed_ = false;
    mutable std::unordered_map<std::string, std::size_t> byKey_;   // folded trimmed key -> first setting line
    mutable std::unordered_map<std::string, std::size_t> byHead_;  // folded head up to "=" -> first non-empty line
};

// Folds a to z only; every other byte stays as it is.
std::string upperAscii(std::string_view text);
// Removes leading and trailing bytes below 33 (blanks and control characters).
std::string_view trimControl(std::string_view text);
std::string spacesToUnderscores(std::string text);

// The runtime's integer reading: optional sign and decimal digits, or "$" and
// hexadecimal digits, in the 32-bit range, no blanks. Throws LauncherError
// "'<text>' is not a valid integer value".
std::int32_t strToInt(std::string_view text);

// The first double-quoted field of a value: one leading quote is dropped and
// the text is cut before the next quote; without a next quote the field is
// empty. "\"Up\" \"\"" gives "Up"; "Fire" (unquoted) gives "".
std::string firstQuotedField(std::string_view value);

// Drops the first character when it is a double quote and the last character
// when it is a double quote.
std::string stripEnclosingQuotes(std::string_view value);

}  // namespace settings
