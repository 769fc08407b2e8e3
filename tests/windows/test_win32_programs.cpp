// Starting programs through the real Win32 calls: WinExec for the game and
// NET.BAT, CreateProcessA for DOSBox where the game is a DOS program, and
// ShellExecuteA for the browser.

#include "WindowsTest.h"

#include "platform/win32/Win32Junction.h"
#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <sstream>
#include <vector>

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

TEST_F(Win32ProgramsTest, AMissingProgramIsReportedAndFailsShellExecute)
{
    try {
        platform.startProgram("VORNHALE.EXE", SW_SHOWNORMAL_VALUE);
        ADD_FAILURE() << "a missing game started";
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "Cannot start VORNHALE.EXE: the file was not found");
    }
    EXPECT_LE(platform.shellExecute(at("NOBROWSER.EXE"), "x", SW_RESTORE_VALUE), 32);
}

namespace {
// The stand-in beside the test program records how it was started in
// NAME.RUN beside itself: command line, current folder, then its arguments.
std::string standIn()
{
    char self[MAX_PATH + 1] = {};
    std::string path(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of('\\') + 1) + "program_stand_in.exe";
}

const std::string InstalledDosBox = "C:\\Program Files (x86)\\DOSBox-0.74-3\\";

// A DOS program: an MZ header whose PE pointer leads to no PE header, and
// one instruction (int 20h, end).
std::string dosProgram()
{
    std::string bytes(66, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[60] = 64;
    bytes[64] = '\xcd';
    bytes[65] = '\x20';
    return bytes;
}

class Win32DosGameTest : public Win32ProgramsTest {
protected:
    void SetUp() override
    {
        Win32ProgramsTest::SetUp();
        char path[32768] = {};
        ::GetEnvironmentVariableA("PATH", path, sizeof path);
        oldPath = path;
        ASSERT_TRUE(::CreateDirectoryA(at("ENGINE").c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(at("BIN").c_str(), nullptr));
        spit(at("VORNHALE.EXE"), dosProgram());
        spit(at("ENGINE\\NET.BAT"), "@echo off\r\n");
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableA("PATH", oldPath.c_str());
        ::DeleteFileA((InstalledDosBox + "DOSBox.exe").c_str());
        ::DeleteFileA((InstalledDosBox + "DOSBox.RUN").c_str());
        ::RemoveDirectoryA(InstalledDosBox.c_str());
        Win32ProgramsTest::TearDown();
    }
    void install(const std::string& folder)
    {
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(::CopyFileA(standIn().c_str(), (folder + "DOSBox.exe").c_str(), FALSE)) << folder;
    }
    // The lines of the record `run`, once the stand-in has written it.
    static std::vector<std::string> recordOf(const std::string& run)
    {
        EXPECT_TRUE(wintest::waitFor(run)) << run;
        std::vector<std::string> lines;
        std::istringstream in(slurp(run));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line.substr(0, line.find('\r')));
        ::DeleteFileA(run.c_str());
        return lines;
    }
    std::string oldPath;
};
}  // namespace

TEST_F(Win32DosGameTest, TheGameAndNetBatRunInDosBoxFromPathOrProgramFiles)
{
    struct Case {
        const char* name;
        std::string folder;  // where DOSBox.exe lies
        std::string path;    // PATH while starting
    };
    // An empty PATH entry is no folder at all.
    const Case cases[] = {
        {"under Program Files (x86)", InstalledDosBox, ";" + oldPath},
        {"on PATH before Program Files", root + "\\BIN\\", ";" + root + "\\BIN;" + oldPath},
    };
    install(InstalledDosBox);
    for (const Case& c : cases) {
        install(c.folder);
        ::SetEnvironmentVariableA("PATH", c.path.c_str());
        const std::string dosbox = c.folder + "DOSBox.exe";
        const std::string quotedDosbox = dosbox.find(' ') == std::string::npos ? dosbox : "\"" + dosbox + "\"";

        platform.startProgram("VORNHALE.EXE", SW_SHOWNORMAL_VALUE);
        EXPECT_EQ(recordOf(c.folder + "DOSBox.RUN"),
                  (std::vector<std::string>{quotedDosbox + " " + root + "\\VORNHALE.EXE -exit", root, dosbox,
                                            root + "\\VORNHALE.EXE", "-exit"}))
            << c.name;

        // The network driver of a DOS game, from ENGINE.
        platform.setCurrentDirectory("ENGINE");
        platform.startProgram("NET.BAT", SW_SHOWNORMAL_VALUE);
        platform.setCurrentDirectory(root);
        EXPECT_EQ(recordOf(c.folder + "DOSBox.RUN"),
                  (std::vector<std::string>{quotedDosbox + " " + root + "\\ENGINE\\NET.BAT -exit",
                                            root + "\\ENGINE", dosbox, root + "\\ENGINE\\NET.BAT", "-exit"}))
            << c.name;
    }
}

TEST_F(Win32DosGameTest, ANetworkGamesDosBoxGetsTheLaunchersConfigurationAfterThePlayersOwn)
{
    install(InstalledDosBox);
    const std::string dosbox = InstalledDosBox + "DOSBox.exe";
    const std::string netBat = root + "\\ENGINE\\NET.BAT";
    ASSERT_TRUE(::CreateDirectoryA(at("Local Cache").c_str(), nullptr));
    EXPECT_TRUE(platform.startsInDosBox("NET.BAT", "ENGINE"));
    EXPECT_FALSE(platform.startsInDosBox("MISSING.BAT", "ENGINE"));

    using Kind = dosbox::Network::Kind;
    struct Case {
        dosbox::Network network;
        std::vector<std::string> arguments;  // between the configuration file and NET.BAT
        std::string settings;
    };
    const Case cases[] = {
        {{Kind::IpxJoin, "127.0.0.1", dosbox::DefaultIpxPort, 0},
         {"-c", "IPXNET CONNECT 127.0.0.1 21300"},
         "[ipx]\nipx=true\n"},
        {{Kind::Modem, "", dosbox::DefaultModemPort, 2}, {}, "[serial]\nserial2=modem listenport:23000\n"},
    };
    // A dosbox.conf of NET.BAT's own comes before the launcher's.
    spit(at("ENGINE\\DOSBOX.CONF"), "[cpu]\r\ncycles=1234\r\n");
    // What the display keys are read from: the player's own configuration first.
    ASSERT_TRUE(std::filesystem::create_directories(at("Local\\DOSBox")));
    spit(at("Local\\DOSBox\\dosbox-0.74-3.conf"), "[sdl]\r\noutput=ddraw\r\n");
    char local[MAX_PATH + 1] = {};
    const bool hadLocal = ::GetEnvironmentVariableA("LOCALAPPDATA", local, sizeof local) > 0;
    ::SetEnvironmentVariableA("LOCALAPPDATA", at("Local").c_str());
    EXPECT_EQ(platform.playerDosBoxConfigurations("ENGINE"), "[sdl]\r\noutput=ddraw\r\n\n[cpu]\r\ncycles=1234\r\n\n");
    ::SetEnvironmentVariableA("LOCALAPPDATA", hadLocal ? local : nullptr);
    for (const Case& c : cases) {
        const dosbox::Configuration configuration = dosbox::configuration(c.network);
        const std::string file = at("Local Cache\\" + configuration.name);
        const std::string log = at("Local Cache\\dosbox.log");
        spit(file, configuration.text);
        spit(log, "an earlier start's output, longer than this one's\r\n");
        platform.setCurrentDirectory("ENGINE");
        platform.startProgramWith("NET.BAT", SW_SHOWNORMAL_VALUE, {file, dosbox::commands(c.network), log});
        platform.setCurrentDirectory(root);

        std::vector<std::string> expected = {root + "\\ENGINE", dosbox, "-userconf", "-conf",
                                             root + "\\ENGINE\\dosbox.conf", "-conf", file};
        expected.insert(expected.end(), c.arguments.begin(), c.arguments.end());
        expected.insert(expected.end(), {netBat, "-exit"});
        auto record = recordOf(InstalledDosBox + "DOSBox.RUN");
        ASSERT_FALSE(record.empty());
        const std::string commandLine = record.front();
        record.erase(record.begin());
        EXPECT_EQ(record, expected) << commandLine;
        EXPECT_EQ(slurp(InstalledDosBox + "DOSBox.CONF"), "[cpu]\r\ncycles=1234\r\n" + configuration.text);
        EXPECT_NE(configuration.text.find(c.settings), std::string::npos) << c.settings;
        EXPECT_EQ(slurp(log), "stand-in ran\r\n");
    }
    ::DeleteFileA((InstalledDosBox + "DOSBox.CONF").c_str());
}

TEST_F(Win32DosGameTest, AFolderTooLongForDosBoxIsGivenToItByItsShortName)
{
    install(InstalledDosBox);
    // 240 characters: one path Windows programs can open, but not DOSBox.
    std::string folder = root;
    while (folder.size() < 240) {
        const std::string name = "A folder name longer than eight letters";
        folder += "\\" + name.substr(0, std::min<std::size_t>(name.size(), 240 - folder.size() - 1));
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    spit(folder + "\\VORNHALE.EXE", dosProgram());
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str()));
    EXPECT_TRUE(platform.startsInDosBox("VORNHALE.EXE", "."));
    platform.startProgram("VORNHALE.EXE", SW_SHOWNORMAL_VALUE);
    ::SetCurrentDirectoryA(root.c_str());
    const auto record = recordOf(InstalledDosBox + "DOSBox.RUN");
    ASSERT_EQ(record.size(), 5u);
    char shortName[MAX_PATH + 1] = {};
    ::GetShortPathNameA(folder.c_str(), shortName, sizeof shortName);
    EXPECT_EQ(record[3], std::string(shortName) + "\\VORNHALE.EXE");
    EXPECT_LE(record[3].size(), 238u);

    // On a volume without short names, a junction in the launcher's folder
    // leads there, and a second start keeps it. Where the system makes no
    // junctions (Wine 8 has none), the start says why.
    const auto real = win32::shortNameCall;
    win32::shortNameCall = [](const std::string&) { return std::string(); };
    for (int start = 0; start < 2; ++start) {
        ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str()));
        try {
            platform.startProgram("VORNHALE.EXE", SW_SHOWNORMAL_VALUE);
            const auto junction = recordOf(InstalledDosBox + "DOSBox.RUN");
            ASSERT_EQ(junction.size(), 5u);
            EXPECT_EQ(junction[3].rfind(platform.dosBoxFolder() + "\\game-", 0), 0u) << junction[3];
            EXPECT_EQ(slurp(junction[3]), dosProgram());
        } catch (const LauncherError& e) {
            EXPECT_NE(std::string(e.what()).find("no short name could be made for it in \"" + platform.dosBoxFolder()),
                      std::string::npos) << e.what();
        }
        ::SetCurrentDirectoryA(root.c_str());
    }
    win32::shortNameCall = real;
}

TEST_F(Win32DosGameTest, WithoutDosBoxADosGameStartsNothingAndAWindowsGameStartsDirectly)
{
    // A folder named like DOSBox's is not enough; DOSBox.exe must be in it.
    ::CreateDirectoryA(InstalledDosBox.c_str(), nullptr);
    ::SetEnvironmentVariableA("PATH", (root + "\\BIN;" + oldPath).c_str());
    EXPECT_FALSE(platform.startsInDosBox("NET.BAT", "ENGINE"));
    for (const char* program : {"VORNHALE.EXE", "NET.BAT"}) {
        if (std::string(program) == "NET.BAT")
            platform.setCurrentDirectory("ENGINE");
        try {
            platform.startProgram(program, SW_SHOWNORMAL_VALUE);
            ADD_FAILURE() << program << " started";
        } catch (const LauncherError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot start " + std::string(program) +
                                                 ": it is a DOS program, which needs DOSBox, and DOSBox was not found");
        }
    }
    platform.setCurrentDirectory(root);

    // A Windows program in the game's place starts as ever, through WinExec.
    ASSERT_TRUE(::CopyFileA(standIn().c_str(), at("VORNHALE.EXE").c_str(), FALSE));
    platform.startProgram("VORNHALE.EXE", SW_SHOWNORMAL_VALUE);
    const auto record = recordOf(at("VORNHALE.RUN"));
    ASSERT_GE(record.size(), 2u);
    EXPECT_EQ(record[1], root);
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
