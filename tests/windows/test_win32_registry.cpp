// The registry through the real Win32 calls, against keys that
// scripts/test-windows.sh creates in Wine's registry with "reg add":
//   HKLM\Software\Vornhale Tests        Short = "abc", Long = 2000 x "L"
//   HKCR\.htm                           (default) = "VornhaleTestPage"
//   HKCR\VornhaleTestPage\shell\open\command
//        (default) = "C:\Program Files\Web Browser\browser.exe" -new "%1"

#include "WindowsTest.h"

#include "components/BrowserCommand.h"
#include "platform/win32/Win32Platform.h"

#include <cstring>

namespace {
// Reads a value the way the launcher does: its size first, then into a
// buffer of `capacity` bytes. Returns the second result.
long readValue(Registry& registry, Registry::Key key, const std::string& name, char* buffer,
               unsigned long capacity, unsigned long* size)
{
    *size = capacity;
    return registry.queryValue(key, name, buffer, size);
}
}  // namespace

TEST(Win32Registry, KeysAreOpenedReadAndClosedWithWin32Results)
{
    win32::Win32Registry registry;
    Registry::Key key = 0;
    ASSERT_EQ(registry.openKey(Registry::LocalMachine, "Software\\Vornhale Tests", &key), Registry::Success)
        << "run through scripts/test-windows.sh";

    unsigned long size = 0;
    ASSERT_EQ(registry.queryValue(key, "Short", nullptr, &size), Registry::Success);
    EXPECT_EQ(size, 4u);
    char buffer[1025];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(readValue(registry, key, "Short", buffer, sizeof buffer, &size), Registry::Success);
    EXPECT_EQ(size, 4u);
    EXPECT_STREQ(buffer, "abc");

    EXPECT_EQ(readValue(registry, key, "Missing", buffer, sizeof buffer, &size), Registry::FileNotFound);
    EXPECT_EQ(registry.closeKey(key), Registry::Success);

    Registry::Key none = 12345;
    EXPECT_EQ(registry.openKey(Registry::LocalMachine, "Software\\Vornhale Tests\\Missing", &none),
              Registry::FileNotFound);
    EXPECT_EQ(none, 12345u);
}

TEST(Win32Registry, AValueLongerThanTheBufferIsNeverCopied)
{
    win32::Win32Registry registry;
    Registry::Key key = 0;
    ASSERT_EQ(registry.openKey(Registry::LocalMachine, "Software\\Vornhale Tests", &key), Registry::Success);

    unsigned long size = 0;
    ASSERT_EQ(registry.queryValue(key, "Long", nullptr, &size), Registry::Success);
    EXPECT_EQ(size, 2001u);

    // The buffer sits between two guards; none of the three may change.
    char memory[3 * 1025];
    std::memset(memory, '#', sizeof memory);
    char* buffer = memory + 1025;
    EXPECT_EQ(readValue(registry, key, "Long", buffer, 1025, &size), Registry::MoreData);
    EXPECT_EQ(size, 2001u);
    EXPECT_EQ(std::string(memory, sizeof memory), std::string(sizeof memory, '#'));

    // A buffer of no bytes at all is too small for any value with content.
    size = 0;
    EXPECT_EQ(registry.queryValue(key, "Short", buffer, &size), Registry::MoreData);
    EXPECT_EQ(size, 4u);
    registry.closeKey(key);
}

TEST(Win32Registry, SubkeysOpenBelowTheClassesRootAndBelowAnOpenKey)
{
    win32::Win32Registry registry;
    Registry::Key extension = 0;
    ASSERT_EQ(registry.openKey(Registry::ClassesRoot, ".htm", &extension), Registry::Success);
    char buffer[1025];
    unsigned long size = 0;
    ASSERT_EQ(readValue(registry, extension, "", buffer, sizeof buffer, &size), Registry::Success);
    EXPECT_STREQ(buffer, "VornhaleTestPage");
    registry.closeKey(extension);

    Registry::Key type = 0, command = 0;
    ASSERT_EQ(registry.openKey(Registry::ClassesRoot, "VornhaleTestPage", &type), Registry::Success);
    ASSERT_EQ(registry.openKey(type, "shell\\open\\command", &command), Registry::Success);
    ASSERT_EQ(readValue(registry, command, "", buffer, sizeof buffer, &size), Registry::Success);
    EXPECT_STREQ(buffer, "\"C:\\Program Files\\Web Browser\\browser.exe\" -new \"%1\"");
    registry.closeKey(command);
    registry.closeKey(type);
}

TEST(Win32Browser, TheRegisteredBrowserIsFoundSplitAndStartedWithThePage)
{
    win32::Win32Platform platform;
    EXPECT_EQ(browser::FindBrowserCommand(platform.registry()),
              "\"C:\\Program Files\\Web Browser\\browser.exe\" -new \"\"");

    ASSERT_TRUE(wintest::exists(wintest::BrowserProgram)) << "run through scripts/test-windows.sh";
    ::DeleteFileA(wintest::BrowserRecord.c_str());
    const std::string url = "C:\\GAMES\\VORNHALE\\web\\Selvane\\Index.htm";
    EXPECT_TRUE(browser::OpenInBrowser(platform, url));

    ASSERT_TRUE(wintest::waitFor(wintest::BrowserRecord));
    const std::string commandLine = wintest::slurp(wintest::BrowserRecord);
    // The program path went without its quotes and in upper case; the shell
    // quotes it again for the command line, and the page arrives in its case.
    EXPECT_EQ(commandLine.rfind("\"C:\\PROGRAM FILES\\WEB BROWSER\\BROWSER.EXE\"", 0), 0u) << commandLine;
    const std::string tail = " -NEW \"\" " + url;
    ASSERT_GT(commandLine.size(), tail.size());
    EXPECT_EQ(commandLine.substr(commandLine.size() - tail.size()), tail) << commandLine;
}
