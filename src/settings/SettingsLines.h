#pragma once
// The settings file as the game writes it: 8-bit text of "Key = value" lines.
// Everything here works on bytes (std::string) and knows nothing of windows,
// so it is unit-tested directly and also builds for Windows.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Lines by a part of their text, compared with the ASCII letters folded: an
// open-addressing table of line numbers. It stores no text of its own, so
// building it for a large file costs one pass and no allocation per line.
class FoldedIndex {
public:
    using Extract = std::string_view (*)(std::string_view line);

    // Empties the index and sizes it for up to `count` lines.
    void reset(std::size_t count, Extract extract);
    // Indexes `line` under `text` (= extract(lines[line])) and returns the
    // line that held that text before, or Empty.
    std::uint32_t replace(const std::vector<std::string>& lines, std::uint32_t line, std::string_view text);
    // The line indexed under `text` (folded), or Empty.
    std::uint32_t find(const std::vector<std::string>& lines, std::string_view text) const;

    static constexpr std::uint32_t Empty = 0xFFFFFFFFu;

private:
    struct Slot {
        std::uint32_t hash;
        std::uint32_t line;  // Empty when unused
    };
    std::vector<Slot> slots_;
    Extract extract_ = nullptr;
};

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
