// Starting programs through the real Win32 calls: WinExec for the game and
// NET.BAT, ShellExecuteA for the browser.

#include "WindowsTest.h"

#include "platform/win32/Win32Platform.h"

using wintest::slurp;
using wintest::spit;

namespace {
class Win32ProgramsTest : public wintest::ScratchDirectoryTest {
protected:
    win32::Win32Platform platform;
};

// NET.BAT of the test: waits (boundedly) until the test lets it go, so a
// start that waited for the batch file would show as a missing GO.TXT, then
// leaves the directory it ran in.
const char* const HeldBatchFile = "@echo off\r\n"
                                  "set n=0\r\n"
                                  ":wait\r\n"
                                  "set /a n=n+1\r\n"
                                  "if exist GO.TXT goto go\r\n"
                                  "if %n% LSS 200000 goto wait\r\n"
                                  ":go\r\n"
                                  "echo %CD%> MARKER.TXT\r\n";
}  // namespace

TEST_F(Win32ProgramsTest, NetBatStartsInEngineAndTheStartDoesNotWaitForIt)
{
    ASSERT_TRUE(::CreateDirectoryA(at("ENGINE").c_str(), nullptr));
    spit(at("ENGINE\\NET.BAT"), HeldBatchFile);

    platform.setCurrentDirectory("ENGINE");
    platform.startProgram("NET.BAT", SW_SHOWNORMAL_VALUE);
    EXPECT_FALSE(wintest::exists(at("ENGINE\\MARKER.TXT"))) << "the start waited for the batch file";

    spit(at("ENGINE\\GO.TXT"), "");
    ASSERT_TRUE(wintest::waitFor(at("ENGINE\\MARKER.TXT")));
    ::Sleep(200);  // the echo may still be writing
    EXPECT_EQ(slurp(at("ENGINE\\MARKER.TXT")), root + "\\ENGINE\r\n");
}

TEST_F(Win32ProgramsTest, ShellExecuteStartsTheProgramWithItsParametersIntact)
{
    ASSERT_TRUE(wintest::exists(wintest::BrowserProgram)) << "run through scripts/test-windows.sh";
    ::DeleteFileA(wintest::BrowserRecord.c_str());

    int ownerAsked = 0;
    platform.setOwnerWindow([&] {
        ++ownerAsked;
        return win32::Win32Platform::WindowHandle(0);
    });
    const std::string url = root + "\\web\\Selvane\\Index.htm";
    const std::string parameters = "-NEW \"\" " + url;
    const int result = platform.shellExecute("C:\\PROGRAM FILES\\WEB BROWSER\\BROWSER.EXE", parameters,
                                             SW_RESTORE_VALUE);
    EXPECT_GT(result, 32);
    EXPECT_EQ(ownerAsked, 1);

    ASSERT_TRUE(wintest::waitFor(wintest::BrowserRecord));
    const std::string commandLine = slurp(wintest::BrowserRecord);
    ASSERT_GT(commandLine.size(), parameters.size());
    EXPECT_EQ(commandLine.substr(commandLine.size() - parameters.size() - 1), " " + parameters) << commandLine;
}

TEST_F(Win32ProgramsTest, AMissingProgramGoesUnreportedByWinExecAndFailsShellExecute)
{
    EXPECT_NO_THROW(platform.startProgram("VORNHALE.EXE", SW_SHOWNORMAL_VALUE));
    EXPECT_LE(platform.shellExecute(at("NOBROWSER.EXE"), "x", SW_RESTORE_VALUE), 32);
}

TEST_F(Win32ProgramsTest, QuitUsesTheApplicationsHookWhenOneIsSet)
{
    int quits = 0;
    platform.setQuitHandler([&] { ++quits; });
    platform.quit();
    EXPECT_EQ(quits, 1);

    // Without one, the thread's message loop receives the request to end.
    win32::Win32Platform bare;
    bare.quit();
    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.message, UINT(WM_QUIT));
}
