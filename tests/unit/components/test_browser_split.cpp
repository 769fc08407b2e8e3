// Turning the registered command into a program and its parameters for a
// page: placeholders removed, the program's end found, the page appended.
#include "components/BrowserCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {
const std::string Page = "C:\\GAMES\\web\\Selvane\\Index.htm";
}  // namespace

TEST(RemovePlaceholders, DeletesEachPercentWithItsFollower)
{
    const std::pair<std::string, std::string> cases[] = {
        {"B.EXE -url %L %*", "B.EXE -url  "},
        {"%%1", "1"},                  // the pair goes, then the same place again
        {"B.EXE 100%", "B.EXE 100%"},  // a trailing "%" of a longer text stays
        {"%", ""},                     // the first position is always examined
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(browser::RemovePlaceholders(in), out) << in;
}

TEST(SplitBrowserCommand, QuotedProgramWithOptionAndQuotedPlaceholder)
{
    const auto start = browser::SplitBrowserCommand("\"C:\\Web Tools\\Viewer.exe\" -nohome \"\"", Page);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->program, "C:\\WEB TOOLS\\VIEWER.EXE");
    // A blank, the option, a blank, two quotes, a blank, the page as given.
    EXPECT_EQ(start->parameters, " -NOHOME \"\" C:\\GAMES\\web\\Selvane\\Index.htm");
}

TEST(SplitBrowserCommand, UnquotedProgramAndPlaceholderLeaveOneBlankBeforeThePage)
{
    const auto start = browser::SplitBrowserCommand("c:\\web\\view.exe ", Page);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->program, "C:\\WEB\\VIEW.EXE");
    EXPECT_EQ(start->parameters, " " + Page);

    // Ending right at the end: no parameters of its own.
    const auto bare = browser::SplitBrowserCommand("c:\\web\\view.bat", "x");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->program, "C:\\WEB\\VIEW.BAT");
    EXPECT_EQ(bare->parameters, " x");
}

TEST(SplitBrowserCommand, AnEndingInsideTheParametersMovesTheSplit)
{
    const auto start = browser::SplitBrowserCommand("C:\\B\\browse.exe -home www.quenlow.com ", Page);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->program, "C:\\B\\BROWSE.EXE -HOME WWW.QUENLOW.COM");
    EXPECT_EQ(start->parameters, " " + Page);

    // Parameters are trimmed of blanks and control characters, then lose
    // their leading quotes one by one.
    const auto trimmed = browser::SplitBrowserCommand("\"C:\\X.COM\"\"\" \t-A\t \r", "u");
    ASSERT_TRUE(trimmed);
    EXPECT_EQ(trimmed->program, "C:\\X.COM");
    EXPECT_EQ(trimmed->parameters, " \t-A u");
}

TEST(SplitBrowserCommand, NoProgramEndingMeansNothingToStart)
{
    EXPECT_FALSE(browser::SplitBrowserCommand("/usr/bin/firefox ", Page));
    EXPECT_FALSE(browser::SplitBrowserCommand("EXE", Page));
    EXPECT_FALSE(browser::SplitBrowserCommand("", Page));
    // The shortest command that still names a program.
    const auto shortest = browser::SplitBrowserCommand(".exe", Page);
    ASSERT_TRUE(shortest);
    EXPECT_EQ(shortest->program, ".EXE");
}

TEST(SplitBrowserCommand, APageWithABlankArrivesQuotedAndOneWithoutArrivesBare)
{
    const std::string spaced = "C:\\Program Files\\Vornhale\\VirtualStore\\Index.htm";
    EXPECT_EQ(browser::SplitBrowserCommand("V.EXE ", spaced)->parameters, " \"" + spaced + "\"");
    EXPECT_EQ(browser::SplitBrowserCommand("V.EXE ", "/games/a\tb/x.htm")->parameters, " \"/games/a\tb/x.htm\"");
    // So does a page with a character the command interpreter acts on, for
    // a handler that is a batch file.
    for (const char c : std::string("&|<>^(),;=")) {
        const std::string page = std::string("C:\\Games\\R") + c + "D\\Index.htm";
        EXPECT_EQ(browser::SplitBrowserCommand("V.BAT ", page)->parameters, " \"" + page + "\"") << c;
    }
}
