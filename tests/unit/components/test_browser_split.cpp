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

TEST(SplitBrowserCommand, SplitsAtTheLastProgramEndingAndAppendsThePage)
{
    struct Case {
        const char* why;
        const char* command;
        std::string page;
        const char* program;
        std::string parameters;
    };
    const Case cases[] = {
        // A blank, the option, a blank, two quotes, a blank, the page as given.
        {"quoted program, option, quoted placeholder", "\"C:\\Web Tools\\Viewer.exe\" -nohome \"\"", Page,
         "C:\\WEB TOOLS\\VIEWER.EXE", " -NOHOME \"\" C:\\GAMES\\web\\Selvane\\Index.htm"},
        {"unquoted program, one blank before the page", "c:\\web\\view.exe ", Page, "C:\\WEB\\VIEW.EXE", " " + Page},
        {"ending right at the end", "c:\\web\\view.bat", "x", "C:\\WEB\\VIEW.BAT", " x"},
        {"an ending inside the parameters moves the split", "C:\\B\\browse.exe -home www.quenlow.com ", Page,
         "C:\\B\\BROWSE.EXE -HOME WWW.QUENLOW.COM", " " + Page},
        // Parameters are trimmed of blanks and control characters, then lose
        // their leading quotes one by one.
        {"trimmed parameters", "\"C:\\X.COM\"\"\" \t-A\t \r", "u", "C:\\X.COM", " \t-A u"},
    };
    for (const Case& c : cases) {
        const auto start = browser::SplitBrowserCommand(c.command, c.page);
        ASSERT_TRUE(start) << c.why;
        EXPECT_EQ(start->program, c.program) << c.why;
        EXPECT_EQ(start->parameters, c.parameters) << c.why;
    }
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
