#include "core/Errors.h"
#include "core/Text.h"
#include "settings/SettingsLines.h"

#include <gtest/gtest.h>

using settings::LineBuffer;

namespace {
LineBuffer buffer(std::string_view text)
{
    LineBuffer b;
    b.read(text);
    return b;
}
}  // namespace

TEST(LineBuffer, EveryKindOfLineBreakEndsALineAndCrLfIsWritten)
{
    EXPECT_EQ(buffer("a\r\nb\r\n").write(), "a\r\nb\r\n");
    EXPECT_EQ(buffer("a\rb\r").write(), "a\r\nb\r\n");
    EXPECT_EQ(buffer("a\nb\n").write(), "a\r\nb\r\n");
    EXPECT_EQ(buffer("a\r\rb").write(), "a\r\n\r\nb");
    EXPECT_EQ(buffer("a\n\r\nb").lines(), (std::vector<std::string>{"a", "", "b"}));
}

TEST(LineBuffer, FinalLineBreakIsKeptExactlyWhenTheFileHadOne)
{
    EXPECT_EQ(buffer("x = 1").write(), "x = 1");
    EXPECT_EQ(buffer("x = 1\r\n").write(), "x = 1\r\n");
    EXPECT_EQ(buffer("x = 1\r\n\r\n").size(), 2u);
    EXPECT_EQ(buffer("").write(), "");
}

TEST(LineBuffer, BytesTheLauncherDoesNotOwnPassThroughUnchanged)
{
    std::string text = "[Sound]\r\n; caf\xe9 \x01\x7f\r\nName = \xff\xfe\x80";
    text += std::string("\0tail = x\r\n", 11);
    LineBuffer b = buffer(text);
    b.replaceSetting("Other = 1");
    EXPECT_EQ(b.write(), text);
}

TEST(GetSetting, SkipsCommentsSectionsAndLinesWithoutEquals)
{
    LineBuffer b = buffer("[Video]\r\n;ScreenWidth = 800\r\nscreenwidth = 640\r\n");
    EXPECT_EQ(b.getSetting("ScreenWidth"), "640");
    EXPECT_EQ(b.getSetting("SCREENWIDTH"), "640");
    EXPECT_EQ(b.getSetting("[Video]"), "");
    EXPECT_EQ(b.getSetting("Missing"), "");
}

TEST(GetSetting, TrimsBlanksAndControlsButComparesTheGivenKeyAsIs)
{
    LineBuffer b = buffer("\t ScreenWidth\t=\t 640 \x01\r\n");
    EXPECT_EQ(b.getSetting("ScreenWidth"), "640");
    EXPECT_EQ(b.getSetting(" ScreenWidth"), "");
}

TEST(GetSetting, OnlyTheFirstEqualsSeparatesAndTrailingTextBelongsToTheValue)
{
    LineBuffer b = buffer("InitString = \"ATS0=1\"\r\nScreenWidth = 640 ; VGA\r\n");
    EXPECT_EQ(b.getSetting("InitString"), "\"ATS0=1\"");
    EXPECT_EQ(b.getSetting("ScreenWidth"), "640 ; VGA");
}

TEST(GetSetting, FoldsOnlyAsciiLetters)
{
    LineBuffer b = buffer("K\xe9y = 1\r\n");
    EXPECT_EQ(b.getSetting("K\xe9Y"), "1");
    EXPECT_EQ(b.getSetting("K\xc9Y"), "");
}

TEST(ReplaceSetting, ReplacesTheFirstLineWithTheExactPrefixOnly)
{
    LineBuffer b = buffer("screenwidth = 640\r\nScreenWidth = 800\r\nScreenWidthX = 1\r\n");
    EXPECT_TRUE(b.replaceSetting("ScreenWidth = 320"));
    EXPECT_EQ(b.write(), "ScreenWidth = 320\r\nScreenWidth = 800\r\nScreenWidthX = 1\r\n");
}

TEST(ReplaceSetting, NeverAppendsAndNeverTouchesOtherSpellingsOrComments)
{
    const std::string text = "ScreenWidth=640\r\n  ScreenWidth = 800\r\n;ScreenWidth = 1\r\n\r\n";
    LineBuffer b = buffer(text);
    EXPECT_FALSE(b.replaceSetting("ScreenWidth = 320"));
    EXPECT_FALSE(b.replaceSetting("MusicDevice = 13"));
    EXPECT_EQ(b.write(), text);
    EXPECT_EQ(b.getSetting("ScreenWidth"), "640");
}

TEST(ReplaceSetting, AKeyNeverMatchesALongerKeyWithTheSamePrefix)
{
    LineBuffer b = buffer("ScreenSizeX = 5\r\nScreenSize = 3\r\n");
    b.replaceSetting("ScreenSize = 4");
    EXPECT_EQ(b.write(), "ScreenSizeX = 5\r\nScreenSize = 4\r\n");
}

TEST(RewriteSetting, BringsTheLineToTheLaunchersFormAndKeepsItsValue)
{
    LineBuffer b = buffer("screengamma = 12\r\n");
    b.rewriteSetting("ScreenGamma");
    EXPECT_EQ(b.write(), "ScreenGamma = 12\r\n");
    b.rewriteSetting("ScreenSize");
    EXPECT_EQ(b.write(), "ScreenGamma = 12\r\n");
}

TEST(StrToInt, AcceptsDecimalAndDollarHexWithAnOptionalSign)
{
    EXPECT_EQ(settings::strToInt("640"), 640);
    EXPECT_EQ(settings::strToInt("+7"), 7);
    EXPECT_EQ(settings::strToInt("-3"), -3);
    EXPECT_EQ(settings::strToInt("0007"), 7);
    EXPECT_EQ(settings::strToInt("$1F"), 31);
    EXPECT_EQ(settings::strToInt("$ff"), 255);
    EXPECT_EQ(settings::strToInt("-$10"), -16);
    EXPECT_EQ(settings::strToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(settings::strToInt("2147483647"), 2147483647);
    EXPECT_EQ(settings::strToInt("-2147483648"), INT32_MIN);
}

TEST(StrToInt, RejectsEverythingElseWithTheRuntimesMessage)
{
    for (const char* text : {"", "640 ; VGA", " 1", "1 ", "0x240", "12a", "$", "-", "+", "$G", "2147483648",
                             "-2147483649", "$100000000", "99999999999999999999", "1.5", "--1"}) {
        try {
            settings::strToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const LauncherError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(QuotedValues, FirstFieldAndEnclosingQuotes)
{
    EXPECT_EQ(text::firstQuotedField("\"Up\" \"Kpad8\""), "Up");
    EXPECT_EQ(text::firstQuotedField("\"fire\""), "fire");
    EXPECT_EQ(text::firstQuotedField("Fire"), "");
    EXPECT_EQ(text::firstQuotedField("\"Fire"), "");
    EXPECT_EQ(text::firstQuotedField("\"\""), "");
    EXPECT_EQ(text::firstQuotedField("a\"b"), "a");
    EXPECT_EQ(text::stripEnclosingQuotes("\"Ace\""), "Ace");
    EXPECT_EQ(text::stripEnclosingQuotes("Ace"), "Ace");
    EXPECT_EQ(text::stripEnclosingQuotes("\"A\"ce\""), "A\"ce");
    EXPECT_EQ(text::stripEnclosingQuotes("\""), "");
    EXPECT_EQ(text::spacesToUnderscores("Change Player AI"), "Change_Player_AI");
}

// The buffer answers lookups from an index; this checks it against the plain
// line-by-line rules on many generated files and edit sequences.
namespace {
std::string naiveGet(const std::vector<std::string>& lines, const std::string& key)
{
    for (const auto& line : lines) {
        if (line.empty() || line[0] == ';')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (text::upperAscii(text::trimControl(std::string_view(line).substr(0, eq))) == text::upperAscii(key))
            return std::string(text::trimControl(std::string_view(line).substr(eq + 1)));
    }
    return {};
}

bool naiveReplace(std::vector<std::string>& lines, const std::string& newLine)
{
    const auto eq = newLine.find('=');
    const std::string prefix = text::upperAscii(newLine.substr(0, eq == std::string::npos ? newLine.size() : eq + 1));
    for (auto& line : lines) {
        if (!line.empty() && text::upperAscii(line.substr(0, prefix.size())) == prefix) {
            line = newLine;
            return true;
        }
    }
    return false;
}
}  // namespace

TEST(LineBuffer, IndexedLookupsAgreeWithTheLineByLineRules)
{
    const std::vector<std::string> keys{"Fire", "fire", "FIRE ", " Fire", "Jump", "Fire=", ";Fire", "Run", "", "F"};
    const std::vector<std::string> shapes{"%s = 1", "%s=2", "  %s = 3", "%s  = 4", "%s = a = b", ";%s = 5",
                                          "%s", "", "[%s]", "%s = \"q\" \"\"", "%s\t=\t6"};
    unsigned seed = 12345;
    auto next = [&seed](std::size_t n) {
        seed = seed * 1103515245u + 12345u;
        return std::size_t((seed >> 16) % n);
    };
    auto fill = [](const std::string& shape, const std::string& key) {
        std::string out = shape;
        const auto at = out.find("%s");
        if (at != std::string::npos)
            out.replace(at, 2, key);
        return out;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> reference;
        std::string text;
        const std::size_t count = next(12);
        for (std::size_t i = 0; i < count; ++i) {
            reference.push_back(fill(shapes[next(shapes.size())], keys[next(keys.size())]));
            text += reference.back() + "\r\n";
        }
        LineBuffer b;
        b.read(text);
        for (int step = 0; step < 20; ++step) {
            const std::string& key = keys[next(keys.size())];
            if (next(2) == 0) {
                ASSERT_EQ(b.getSetting(key), naiveGet(reference, key)) << "round " << round << " key '" << key << "'";
            } else {
                const std::string line = fill(shapes[next(4)], key);
                ASSERT_EQ(b.replaceSetting(line), naiveReplace(reference, line)) << "round " << round;
                ASSERT_EQ(b.lines(), reference);
            }
        }
    }
}
