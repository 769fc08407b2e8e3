// Modem detection against Wine's registry, with the modem class key that
// scripts/test-windows.sh creates with "reg add" below HKLM\System\
// CurrentControlSet\Services\Class\Modem:
//   0000  AttachedTo COM2, DriverDesc "Vornhale Test Modem A",
//         Init: "2" = "ATZ<cr>", "1" = "AT&F<cr>"
//   0001  AttachedTo COM4, DriverDesc "Vornhale Test Modem B",
//         Init: "2" = 200 bytes (more than the 127 the launcher reads),
//               "1" = "AT&F1<cr>ATM0<cr>"
//   0002  missing
//   0003  AttachedTo COM1, DriverDesc "Vornhale Test Modem C"

#include "WindowsTest.h"

#include "multiplayer/LaunchFile.h"
#include "multiplayer/ModemWalk.h"
#include "platform/win32/Win32Platform.h"

TEST(Win32Modems, TheWalkListsTheModemsUpToTheFirstMissingNumber)
{
    win32::Win32Registry registry;
    const auto modems = modemwalk::findModems(registry);
    ASSERT_EQ(modems.size(), 2u) << "run through scripts/test-windows.sh";
    EXPECT_EQ(modems[0].number, 0);
    EXPECT_EQ(modems[0].description, "Vornhale Test Modem A");
    EXPECT_EQ(modems[1].number, 1);
    EXPECT_EQ(modems[1].description, "Vornhale Test Modem B");
}

TEST(Win32Modems, TheConfirmationTakesThePortAndTheInitCommand)
{
    win32::Win32Registry registry;
    const auto first = modemwalk::readSetup(registry, 0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->comPortIndex, 1);  // "COM2:"
    EXPECT_EQ(first->initString, "ATZ");

    // "2" does not fit the launcher's space, so "1" is taken, less its
    // first "<cr>" only.
    const auto second = modemwalk::readSetup(registry, 1);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->comPortIndex, 3);  // "COM4:"
    EXPECT_EQ(second->initString, "AT&F1ATM0<cr>");

    EXPECT_FALSE(modemwalk::readSetup(registry, 2));

    // The chosen modem's port and command reach the launch file unchanged.
    launchfile::ModemGame game;
    game.comPortIndex = second->comPortIndex;
    game.initString = *second->initString;
    const std::string lines = launchfile::modemLines(game);
    EXPECT_NE(lines.find("\r\nCOMPORT = 4\r\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("\r\nINITSTRING = \"AT&F1ATM0<cr>\"\r\n"), std::string::npos) << lines;
}
