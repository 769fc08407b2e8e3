#include "multiplayer/LaunchFile.h"

#include "core/Text.h"

#include <gtest/gtest.h>

#include <algorithm>

using launchfile::IpxGame;
using launchfile::ModemGame;

namespace {
std::string lines(std::initializer_list<const char*> list)
{
    std::string out;
    for (const char* l : list)
        out += std::string(l) + "\r\n";
    return out;
}

ModemGame modemAtCreation()
{
    ModemGame game;  // what the dialogs hold right after start-up
    game.initString = "AT&F1";
    game.irq = "n/a";
    game.uart = "n/a";
    return game;
}
}  // namespace

TEST(IpxLaunchFile, HasTheEightLinesWithCountAndSocketAsGiven)
{
    EXPECT_EQ(launchfile::ipxLines({0, "0"}),
              lines({"[COMMIT]", "COMMTYPE = 3", "NUMPLAYERS = 2", "PAUSE = 0", "VECTOR = ~", "SOCKETNUMBER = 0",
                     "LAUNCHNAME = \"GAME.EXE\"", "SHOWSTATS = 0"}));
    const std::string eight = launchfile::ipxLines({6, "0x869C"});
    EXPECT_NE(eight.find("\r\nNUMPLAYERS = 8\r\n"), std::string::npos);
    EXPECT_NE(eight.find("\r\nSOCKETNUMBER = 0x869C\r\n"), std::string::npos);
}

TEST(IpxLaunchFile, AnEmptySocketLeavesTheBlankAfterTheEqualsSign)
{
    EXPECT_NE(launchfile::ipxLines({0, ""}).find("\r\nSOCKETNUMBER = \r\nLAUNCHNAME"), std::string::npos);
}

TEST(ModemLaunchFile, CallWithCreationValuesMatchesTheTable)
{
    ModemGame game = modemAtCreation();
    game.phoneNumber = "555-0134";
    EXPECT_EQ(launchfile::modemLines(game),
              lines({"[COMMIT]", "COMMTYPE = 2", "CONNECTTYPE = 0", "NUMPLAYERS = 2", "PAUSE = 0", "USETONE = 1",
                     "COMPORT = 2", "IRQNUMBER = ~", "UARTADDRESS = ~", "PORTSPEED = 9600",
                     "INITSTRING = \"AT&F1\"", "HANGUPSTRING = \"ATH0=0\"", "PHONENUMBER = \"555-0134\"",
                     "LAUNCHNAME = \"GAME.EXE\"", "SHOWSTATS = 0"}));
}

TEST(ModemLaunchFile, WaitingWritesConnectType1AndNoNumberWhateverWasTyped)
{
    ModemGame game = modemAtCreation();
    game.call = false;
    game.phoneNumber = "555-0134";
    game.dialingIndex = 0;
    EXPECT_EQ(launchfile::modemLines(game),
              lines({"[COMMIT]", "COMMTYPE = 2", "CONNECTTYPE = 1", "NUMPLAYERS = 2", "PAUSE = 0", "USETONE = 0",
                     "COMPORT = 2", "IRQNUMBER = ~", "UARTADDRESS = ~", "PORTSPEED = 9600",
                     "INITSTRING = \"AT&F1\"", "HANGUPSTRING = \"ATH0=0\"", "PHONENUMBER = \"\"",
                     "LAUNCHNAME = \"GAME.EXE\"", "SHOWSTATS = 0"}));
}

TEST(ModemLaunchFile, IrqAndUartAreTildeUnlessAdvancedThenAsTyped)
{
    ModemGame game = modemAtCreation();
    game.irq = "4";
    game.uart = "3F8";
    std::string file = launchfile::modemLines(game);
    EXPECT_NE(file.find("\r\nIRQNUMBER = ~\r\nUARTADDRESS = ~\r\n"), std::string::npos);

    game.advanced = true;
    file = launchfile::modemLines(game);
    EXPECT_NE(file.find("\r\nIRQNUMBER = 4\r\nUARTADDRESS = 3F8\r\n"), std::string::npos);

    game = modemAtCreation();
    game.advanced = true;  // checked, fields never touched
    file = launchfile::modemLines(game);
    EXPECT_NE(file.find("\r\nIRQNUMBER = n/a\r\nUARTADDRESS = n/a\r\n"), std::string::npos);
}

TEST(ModemLaunchFile, PortIsTheEntryPlusOneAndZeroWithoutSelection)
{
    ModemGame game = modemAtCreation();
    game.comPortIndex = 7;
    EXPECT_NE(launchfile::modemLines(game).find("\r\nCOMPORT = 8\r\n"), std::string::npos);
    game.comPortIndex = -1;
    EXPECT_NE(launchfile::modemLines(game).find("\r\nCOMPORT = 0\r\n"), std::string::npos);
}

TEST(ModemLaunchFile, QuotesInsideValuesAreWrittenUnchanged)
{
    ModemGame game = modemAtCreation();
    game.initString = "AT\"S0=1\"";
    game.phoneNumber = " 9,555 ";
    const std::string file = launchfile::modemLines(game);
    EXPECT_NE(file.find("\r\nINITSTRING = \"AT\"S0=1\"\"\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nPHONENUMBER = \" 9,555 \"\r\n"), std::string::npos);
}

TEST(LaunchFileLines, NoTypedLineBreakCanStartALine)
{
    EXPECT_EQ(text::withoutLineBreaks("a\r\nb\rc\nd"), "abcd");
    const std::string ipx = launchfile::ipxLines({0, "1\r\nNUMPLAYERS = 8"});
    EXPECT_NE(ipx.find("\r\nSOCKETNUMBER = 1NUMPLAYERS = 8\r\n"), std::string::npos);
    ModemGame game = modemAtCreation();
    game.phoneNumber = "5\n55";
    game.initString = "AT\r";
    const std::string modem = launchfile::modemLines(game);
    EXPECT_NE(modem.find("PHONENUMBER = \"555\"\r\n"), std::string::npos);
    EXPECT_NE(modem.find("INITSTRING = \"AT\"\r\n"), std::string::npos);
    // Fifteen lines, every one ended by CR LF and none by a lone CR or LF.
    EXPECT_EQ(std::count(modem.begin(), modem.end(), '\n'), 15);
    EXPECT_EQ(std::count(modem.begin(), modem.end(), '\r'), 15);
}
