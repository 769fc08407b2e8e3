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

void LineBuffer::buildIndex() const
{
    byKey_.clear();
    byHead_.clear();
    byKey_.reserve(lines_.size());
    byHead_.reserve(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line(lines_[i]);
        const auto eq = line.find('=');
        if (line.empty() || eq == std::string_view::npos)
            continue;
        byHead_.try_emplace(upperAscii(line.substr(0, eq + 1)), i);
        if (line.front() != ';')
            byKey_.try_emplace(upperAscii(trimControl(line.substr(0, eq))), i);
    }
    indexed_ = true;
}

std::string LineBuffer::getSetting(std::string_view key) const
{
    if (!indexed_)
        buildIndex();
    const auto found = byKey_.find(upperAscii(key));
    if (found == byKey_.end())
        return {};
    const std::string_view line(lines_[found->second]);
    return std::string(trimControl(line.substr(line.find('=') + 1)));
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
    const auto found = byHead_.find(upperAscii(std::string_view(line).substr(0, eq + 1)));
    if (found == byHead_.end())
        return false;
    lines_[found->second] = line;
    return true;
}

void LineBuffer::rewriteSetting(std::string_view key)
{
    replaceSetting(std::string(key) + " = " + getSetting(key));
}

}  // namespace settings
