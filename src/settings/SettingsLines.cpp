#include "settings/SettingsLines.h"

#include "core/Errors.h"
#include "core/Text.h"

#include <limits>

namespace settings {


std::int32_t strToInt(std::string_view text)
{
    auto fail = [&]() -> std::int32_t { throw errors::notAnInteger(text); };
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
        else if (hex && text::upperAscii(c) >= 'A' && text::upperAscii(c) <= 'F')
            digit = text::upperAscii(c) - 'A' + 10;
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

void LineBuffer::read(std::string_view bytes)
{
    dropIndex();
    lines_ = text::splitLines(bytes);
    // An empty file has no line and nothing to end; writing it back gives
    // an empty file again.
    finalBreak_ = bytes.empty() || bytes.back() == '\r' || bytes.back() == '\n';
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
// The text before the first "=", trimmed: what a lookup compares.
std::string_view keyOf(std::string_view line) { return text::trimControl(line.substr(0, line.find('='))); }
}  // namespace

void LineBuffer::buildIndex() const
{
    byKey_.reset(lines_.size(), keyOf);
    sameKey_.assign(lines_.size(), FoldedIndex::Empty);
    // From the last line up, so each chain ends up in file order.
    for (std::size_t i = lines_.size(); i-- > 0;) {
        const std::string_view line(lines_[i]);
        const auto eq = line.find('=');
        if (eq != std::string_view::npos)
            sameKey_[i] = byKey_.replace(lines_, std::uint32_t(i), text::trimControl(line.substr(0, eq)));
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
            return std::string(text::trimControl(line.substr(line.find('=') + 1)));
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
            if (!existing.empty() && text::startsWithFolded(existing, line)) {
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
    for (auto i = byKey_.find(lines_, text::trimControl(prefix.substr(0, eq))); i != FoldedIndex::Empty; i = sameKey_[i]) {
        if (text::startsWithFolded(lines_[i], prefix)) {
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
