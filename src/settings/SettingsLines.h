#pragma once
// The settings file as the game writes it: 8-bit text of "Key = value" lines.
// Everything here works on bytes (std::string) and knows nothing of windows,
// so it is unit-tested directly and also builds for Windows.

#include "settings/FoldedIndex.h"

#include <cstdint>
#include <string>
#include <string_view>
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
    // knows. Every line with an "=" is chained, in file order, to the next
    // line with the same trimmed key, and the index gives each chain's first
    // line; walking a chain keeps the first-match rules exactly. A line that a
    // replacement could hit has the replacement's key, so one index serves
    // both. A replacement never invalidates it: the new line has the same head
    // (text up to its first "=", folded) as the line it replaces.
    mutable bool indexed_ = false;
    mutable FoldedIndex byKey_;                    // trimmed key -> first line with it
    mutable std::vector<std::uint32_t> sameKey_;   // line -> next line with its key
};

// The runtime's integer reading: optional sign and decimal digits, or "$" and
// hexadecimal digits, in the 32-bit range, no blanks. Throws LauncherError
// "'<text>' is not a valid integer value".
std::int32_t strToInt(std::string_view text);

}  // namespace settings
