#include "components/CodePage.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

#include <limits>
#else
#include <array>
#endif

namespace codepage {

#ifdef _WIN32

namespace {
// The calls count in int; no file line the launcher handles comes near that.
int count(std::size_t size) { return int(std::min<std::size_t>(size, std::numeric_limits<int>::max())); }
}  // namespace

std::u16string toUtf16(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), count(bytes.size()), nullptr, 0);
    std::u16string text(std::size_t(length), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), count(bytes.size()), reinterpret_cast<wchar_t*>(text.data()),
                          length);
    return text;
}

std::optional<std::string> fromUtf16(std::u16string_view text)
{
    if (text.empty())
        return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    // Where UTF-8 is the ANSI code page every character has bytes, and Windows
    // refuses the default-character report; only a broken surrogate fails.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* report = utf8 ? nullptr : &usedDefault;
    const int length = ::WideCharToMultiByte(CP_ACP, flags, wide, count(text.size()), nullptr, 0, nullptr, report);
    if (length == 0 || usedDefault)
        return std::nullopt;
    std::string bytes(std::size_t(length), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, wide, count(text.size()), bytes.data(), length, nullptr, report);
    return bytes;
}

#else

namespace {
// Bytes 0x80 to 0x9F of Windows-1252; every other byte is the character of
// its own number.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  //
};

bool inHighRange(unsigned value) { return value >= 0x80 && value < 0xA0; }
}  // namespace

std::u16string toUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const unsigned char byte : bytes)
        text.push_back(inHighRange(byte) ? High[byte - 0x80] : char16_t(byte));
    return text;
}

std::optional<std::string> fromUtf16(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t c : text) {
        if (c <= 0xFF && !inHighRange(c)) {
            bytes.push_back(char(c));
            continue;
        }
        const auto found = std::find(High.begin(), High.end(), c);
        if (found == High.end())
            return std::nullopt;
        bytes.push_back(char(0x80 + (found - High.begin())));
    }
    return bytes;
}

#endif

}  // namespace codepage
