// The stand-in registry: the browser lookup finds the desktop's opener,
// and nothing else is registered.
#include "components/BrowserCommand.h"
#include "platform/posix/PosixRegistry.h"

#include <gtest/gtest.h>

TEST(PosixRegistry, AnswersTheHtmlLookupWithTheDesktopsOpenerAndNothingElse)
{
    posix::PosixRegistry registry;
    EXPECT_EQ(browser::FindBrowserCommand(registry), "XDG-OPEN.EXE ");
    const auto start = browser::SplitBrowserCommand(browser::FindBrowserCommand(registry), "/g/x.htm");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->program, "XDG-OPEN.EXE");
    EXPECT_EQ(start->parameters, " /g/x.htm");

    // Every extension leads there; nothing else is there.
    Registry::Key key = 0;
    for (const char* extension : {".html", ".SHTML", ".shtm"}) {
        ASSERT_EQ(registry.openKey(Registry::ClassesRoot, extension, &key), Registry::Success) << extension;
        registry.closeKey(key);
    }
    EXPECT_EQ(registry.openKey(Registry::ClassesRoot, ".txt", &key), Registry::FileNotFound);
    EXPECT_EQ(registry.openKey(Registry::LocalMachine, "System\\CurrentControlSet\\Services\\Class\\Modem\\", &key),
              Registry::FileNotFound);
}
