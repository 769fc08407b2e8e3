#include "core/Text.h"

#include <cstdint>
#include <cstdio>

namespace text {

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = upperAscii(c);
    return out;
}

bool startsWithFolded(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (upperAscii(text[i]) != upperAscii(prefix[i]))
            return false;
    return true;
}

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
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

std::string fingerprint(std::string_view text)
{
    std::uint64_t value = 14695981039346656037u;
    for (unsigned char c : text)
        value = (value ^ c) * 1099511628211u;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(value));
    return digits;
}

std::optional<int> decimal(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits || maxDigits > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string withoutLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

std::vector<std::string> splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::vector<std::string> splitFields(std::string_view text, char separator)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
        fields.emplace_back(text.substr(start, end - start));
    fields.emplace_back(text.substr(start));
    return fields;
}

std::string spacesToUnderscores(std::string text)
{
    for (char& c : text)
        if (c == ' ')
            c = '_';
    return text;
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

}  // namespace text
