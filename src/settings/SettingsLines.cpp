#include "settings/SettingsLines.h"

#include "platform/Platform.h"

#include <limits>

namespace settings {

namespace {
char upperChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool startsWithFolded(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (upperChar(text[i]) != upperChar(prefix[i]))
            return false;
    return true;
}

}  // namespace

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = upperChar(c);
    return out;
}

std::string_view trimControl(std::string_view text)
{
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) < 33; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string spacesToUnderscores(std::string text)
{
    for (char& c : text)
        if (c == ' ')
            c = '_';
    return text;
}

std::int32_t strToInt(std::string_view text)
{
    auto fail = [&]() -> std::int32_t {
        throw LauncherError("'" + std::string(text) + "' is not a valid integer value");
    };
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const bool hex = i < text.size() && text[i] == '$';
    if (hex)
        ++i;
    if (i == text.size())
        return fail();

    // Accumulate in 64 bits and check against the range the sign allows, so
    // "-2147483648" and "$FFFFFFFF" behave as 32-bit values and one digit more
    // is an error rather than a wrapped number.
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && upperChar(c) >= 'A' && upperChar(c) <= 'F')
            digit = upperChar(c) - 'A' + 10;
        else
            return fail();
        value = value * (hex ? 16 : 10) + digit;
        if (value > (std::int64_t(1) << 32))
            return fail();
    }
    if (hex) {
        // A hexadecimal literal names 32 bits; "$FFFFFFFF" is -1.
        if (value > 0xFFFFFFFFll)
            return fail();
        std::int32_t bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(bits)) : bits;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return fail();
    return static_cast<std::int32_t>(value);
}

std::string firstQuotedField(std::string_view value)
{
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    const auto quote = value.find('"');
    if (quote == std::string_view::npos)
        return {};
    return std::string(value.substr(0, quote));
}

std::string stripEnclosingQuotes(std::string_view value)
{
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    if (!value.empty() && value.back() == '"')
        value.remove_suffix(1);
    return std::string(value);
}

void LineBuffer::read(std::string_view bytes)
{
    dropIndex();
    lines_.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines_.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    finalBreak_ = start == bytes.size();
    if (!finalBreak_)
        lines_.emplace_back(bytes.substr(start));
    // An empty file has no line and nothing to end; writing it back gives
    // an empty file again.
    if (bytes.empty())
        finalBreak_ = true;
}

std::string LineBuffer::write() const
{
    std::size_t total = 0;
    for (const auto& line : lines_)
        total += line.size() + 2;
    std::string out;
    out.reserve(total);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || finalBreak_)
            out += "\r\n";
    }
    return out;
}

void LineBuffer::clear()
{
    dropIndex();
    lines_.clear();
    finalBreak_ = true;
}

void LineBuffer::append(std::string line)
{
    dropIndex();
    lines_.push_back(std::move(line));
}

namespace {
std::uint32_t foldedHash(std::string_view text)
{
    std::uint32_t h = 2166136261u;  // FNV-1a
    for (char c : text) {
        h ^= static_cast<unsigned char>(upperChar(c));
        h *= 16777619u;
    }
    return h;
}

bool equalsFolded(std::string_view a, std::string_view b) { return a.size() == b.size() && startsWithFolded(a, b); }

// The text before the first "=", trimmed: what a lookup compares.
std::string_view keyOf(std::string_view line) { return trimControl(line.substr(0, line.find('='))); }
}  // namespace

void FoldedIndex::reset(std::size_t count, Extract extract)
{
    extract_ = extract;
    // At most two thirds full keeps probes short; small slots keep a large
    // file's table within the caches.
    std::size_t size = 16;
    while (size < count + count / 2)
        size *= 2;
    slots_.assign(size, Slot{0, Empty});
}

std::uint32_t FoldedIndex::replace(const std::vector<std::string>& lines, std::uint32_t line, std::string_view text)
{
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t hash = foldedHash(text);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        Slot& slot = slots_[at];
        if (slot.line == Empty) {
            slot = Slot{hash, line};
            return Empty;
        }
        if (slot.hash == hash && equalsFolded(extract_(lines[slot.line]), text)) {
            const std::uint32_t previous = slot.line;
            slot.line = line;
            return previous;
        }
    }
}

std::uint32_t FoldedIndex::find(const std::vector<std::string>& lines, std::string_view text) const
{
    if (slots_.empty())
        return Empty;
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t hash = foldedHash(text);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.line == Empty)
            return Empty;
        if (slot.hash == hash && equalsFolded(extract_(lines[slot.line]), text))
            return slot.line;
    }
}

void LineBuffer::buildIndex() const
{
    byKey_.reset(lines_.size(), keyOf);
    sameKey_.assign(lines_.size(), FoldedIndex::Empty);
    // From the last line up, so each chain ends up in file order.
    for (std::size_t i = lines_.size(); i-- > 0;) {
        const std::string_view line(lines_[i]);
        const auto eq = line.find('=');
        if (eq != std::string_view::npos)
            sameKey_[i] = byKey_.replace(lines_, std::uint32_t(i), trimControl(line.substr(0, eq)));
    }
    indexed_ = true;
}

std::string LineBuffer::getSetting(std::string_view key) const
{
    if (!indexed_)
        buildIndex();
    for (auto i = byKey_.find(lines_, key); i != FoldedIndex::Empty; i = sameKey_[i]) {
        const std::string_view line(lines_[i]);
        if (line.front() != ';')  // comments are never settings
            return std::string(trimControl(line.substr(line.find('=') + 1)));
    }
    return {};
}

bool LineBuffer::replaceSetting(const std::string& line)
{
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
        // A line without "=" is its own prefix and may match any line that
        // starts with it; the launcher never writes one, so scan plainly.
        for (auto& existing : lines_) {
            if (!existing.empty() && startsWithFolded(existing, line)) {
                existing = line;
                dropIndex();
                return true;
            }
        }
        return false;
    }
    // A line starts with a prefix that ends at its only "=" exactly when the
    // line's own head, up to its first "=", equals that prefix.
    if (!indexed_)
        buildIndex();
    const std::string_view prefix = std::string_view(line).substr(0, eq + 1);
    for (auto i = byKey_.find(lines_, trimControl(prefix.substr(0, eq))); i != FoldedIndex::Empty; i = sameKey_[i]) {
        if (startsWithFolded(lines_[i], prefix)) {
            lines_[i] = line;
            return true;
        }
    }
    return false;
}

void LineBuffer::rewriteSetting(std::string_view key)
{
    replaceSetting(std::string(key) + " = " + getSetting(key));
}

}  // namespace settings
