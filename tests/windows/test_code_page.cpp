// Text through the system's ANSI code page: the Win32 conversions behind
// every field that a file feeds. The test script runs Wine with code page
// 1252, where every byte stands for one character.

#include "components/CodePage.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

TEST(Win32CodePage, EveryByteRoundTripsAndOnlyCharactersOfThePageAreTaken)
{
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << ::GetACP() << ", not 1252";

    std::string every;
    for (int b = 0; b < 256; ++b)
        every += char(b);
    const std::u16string text = codepage::toUtf16(every);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(codepage::fromUtf16(text), every);

    const std::pair<std::u16string, std::optional<std::string>> cases[] = {
        {u"\u20AC", "\x80"},                 // euro sign
        {u"\u201Cx\u201D", "\x93x\x94"},     // curly quotes
        {u"\u00E9", "\xE9"},                 // é, as in Latin-1
        {u"\u0081", "\x81"},                 // a byte 1252 leaves undefined keeps its number
        {u"\u0100", std::nullopt},           // Ā: no look-alike "A"
        {u"\u4E2D", std::nullopt},           // 中
        {u"ok\U0001F600", std::nullopt},     // outside the basic plane
    };
    int row = 0;
    for (const auto& [typed, bytes] : cases)
        EXPECT_EQ(codepage::fromUtf16(typed), bytes) << "case " << row++;
}
