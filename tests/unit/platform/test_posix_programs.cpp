// Programs and web pages on a POSIX desktop: host programs and scripts run
// directly, the browser through the desktop's opener, DOS programs through
// DOSBox. Stand-ins on a private $PATH record the arguments they receive.
#include "PosixScratch.h"
#include "components/BrowserCommand.h"
#include "platform/posix/ShortNames.h"

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The scratch folder holds bin/, the only folder on $PATH, and game/, the
// current directory.
class PosixStartTest : public PosixPlatformTest {
protected:
    void SetUp() override
    {
        PosixPlatformTest::SetUp();
        fs::create_directory(root / "bin");
        fs::create_directory(root / "game");
        fs::current_path(root / "game");
        oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        // Only the stand-ins: the real xdg-open or dosbox must never run here.
        ::setenv("PATH", (root / "bin").string().c_str(), 1);
    }
    void TearDown() override
    {
        ::setenv("PATH", oldPath.c_str(), 1);
        PosixPlatformTest::TearDown();
    }

    // A program on $PATH that writes its arguments, one a line, to
    // NAME.args, then leaves NAME.done (shell built-ins only: $PATH holds
    // nothing else).
    fs::path recorder(const std::string& name)
    {
        const fs::path script = root / "bin" / name;
        const std::string out = (root / name).string();
        std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + out +
                                     ".args\"\n: > \"" + out + ".done\"\n";
        fs::permissions(script, fs::perms(0755));
        return script;
    }
    // The arguments the recorder `name` received, once it has run.
    std::string recorded(const std::string& name)
    {
        const fs::path done = root / (name + ".done");
        for (int i = 0; i < 100 && !fs::exists(done); ++i)
            ::usleep(50000);
        return slurp(root / (name + ".args"));
    }

    std::string oldPath;
};
}  // namespace

TEST(PosixParameters, SplitAtBlanksWithQuotedArgumentsKeptWhole)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(posix::splitParameters(" /g/x.htm"), V{"/g/x.htm"});
    EXPECT_EQ(posix::splitParameters(""), V{});
    EXPECT_EQ(posix::splitParameters(" \t "), V{});
    EXPECT_EQ(posix::splitParameters(" -NEW \"\" /a"), (V{"-NEW", "", "/a"}));
    EXPECT_EQ(posix::splitParameters(" \"/my games/x.htm\""), V{"/my games/x.htm"});
    // A quote inside a quoted path ends it only where a blank follows.
    EXPECT_EQ(posix::splitParameters(" \"/a \"b\"/x.htm\" z"), (V{"/a \"b\"/x.htm", "z"}));
    // Nothing else is special: backslashes, quotes inside a word, shell characters.
    EXPECT_EQ(posix::splitParameters("a\\\"b $HOME;`x`&'y'*"), (V{"a\\\"b", "$HOME;`x`&'y'*"}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(posix::splitParameters("\"/a b"), V{"/a b"});
}

TEST_F(PosixStartTest, APageOpensThroughTheDesktopsOpenerAsOneUntouchedArgument)
{
    recorder("xdg-open");
    // Blanks, quotes and every character a shell would act on.
    const std::string page = root.string() + "/My Games/$V 'x' \"q\";`id` & *\\/Index.htm";
    EXPECT_TRUE(browser::OpenInBrowser(platform, page));
    EXPECT_EQ(recorded("xdg-open"), page + "\n");
    // A page copied from DOS media in upper case opens under the name it has.
    fs::remove(root / "xdg-open.done");
    fs::create_directories(root / "game" / "WEB" / "SELVANE");
    std::ofstream(root / "game" / "WEB" / "SELVANE" / "INDEX.HTM") << "<html>";
    EXPECT_TRUE(browser::OpenInBrowser(platform, (root / "game" / "web" / "Selvane" / "Index.htm").string()));
    EXPECT_EQ(recorded("xdg-open"), (root / "game" / "WEB" / "SELVANE" / "INDEX.HTM").string() + "\n");
    // A program path is taken as a path, whatever its case.
    EXPECT_EQ(posix::hostProgramFor(root.string() + "/BIN/XDG-OPEN", "/"), (root / "bin" / "xdg-open").string());
}

TEST_F(PosixStartTest, WithoutAnOpenerNoPageOpens)
{
    EXPECT_LE(platform.shellExecute("XDG-OPEN.EXE", " /x.htm", 9), 32);
    EXPECT_FALSE(browser::OpenInBrowser(platform, "/x.htm"));
    // A program that exists but cannot be executed is a failed start too.
    std::ofstream(root / "bin" / "xdg-open") << "#!/nonexistent/interpreter\n";
    fs::permissions(root / "bin" / "xdg-open", fs::perms(0755));
    EXPECT_LE(platform.shellExecute("XDG-OPEN.EXE", " /x.htm", 9), 32);
}

TEST_F(PosixStartTest, ADosProgramRunsInDosBoxFromItsOwnPath)
{
    recorder("dosbox");
    std::ofstream(root / "game" / "Vornhale.exe") << "\xb4\x4c\xcd\x21";  // a DOS program, not executable here
    platform.startProgram("VORNHALE.EXE", 1);
    EXPECT_EQ(recorded("dosbox"), (root / "game" / "Vornhale.exe").string() + "\n-exit\n");

    // Even with the executable bit, as files copied from DOS media often have.
    fs::remove(root / "dosbox.done");
    fs::create_directory(root / "game" / "engine");
    std::ofstream(root / "game" / "engine" / "net.bat") << "@echo off\r\n";
    fs::permissions(root / "game" / "engine" / "net.bat", fs::perms(0755));
    EXPECT_TRUE(platform.startsInDosBox("NET.BAT", "ENGINE"));
    platform.setCurrentDirectory("ENGINE");
    platform.startProgram("NET.BAT", 1);
    EXPECT_EQ(recorded("dosbox"), (root / "game" / "engine" / "net.bat").string() + "\n-exit\n");

    // A network game's set-up comes first, each argument whole, after a
    // dosbox.conf of the folder's own; DOSBox's output goes to the log.
    fs::remove(root / "dosbox.done");
    std::ofstream(root / "game" / "engine" / "DOSBOX.CONF") << "[cpu]\n";
    std::ofstream(root / "dosbox.log") << "an earlier start's output, longer than this one's\n";
    std::ofstream(root / "bin" / "dosbox", std::ios::app) << "echo said by DOSBox\n";
    platform.startProgramWith("NET.BAT", 1,
                              {"/my cache/ipx.conf", {"IPXNET CONNECT host 4000"}, (root / "dosbox.log").string()});
    EXPECT_EQ(recorded("dosbox"), "-userconf\n-conf\n" + (root / "game" / "engine" / "DOSBOX.CONF").string() +
                                      "\n-conf\n/my cache/ipx.conf\n-c\nIPXNET CONNECT host 4000\n" +
                                      (root / "game" / "engine" / "net.bat").string() + "\n-exit\n");
    for (int i = 0; i < 100 && slurp(root / "dosbox.log") != "said by DOSBox\n"; ++i)
        ::usleep(50000);
    EXPECT_EQ(slurp(root / "dosbox.log"), "said by DOSBox\n");
    EXPECT_EQ(slurp(root / "dosbox.1.log"), "an earlier start's output, longer than this one's\n");
}

TEST_F(PosixStartTest, AFolderDosBoxCannotOpenIsGivenItUnderAShortNameOrRefusedBeforeAnything)
{
    recorder("dosbox");
    ::setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
    const fs::path game = root / "game" / "Vornhale \"Gold\" 100%\nmount e /\n";
    fs::create_directories(game);
    std::ofstream(game / "VORNHALE.EXE") << "\xb4\x4c\xcd\x21";
    fs::current_path(game);
    EXPECT_TRUE(platform.startsInDosBox("VORNHALE.EXE", "."));
    platform.startProgram("VORNHALE.EXE", 1);
    const std::string args = recorded("dosbox");
    const fs::path link = fs::path(args.substr(0, args.find('\n'))).parent_path();
    EXPECT_EQ(link.parent_path(), root / "cache" / "vornhale") << args;
    EXPECT_EQ(fs::read_symlink(link), game);
    // A second start keeps the link that already names the folder.
    struct stat first, second;
    ::lstat(link.c_str(), &first);
    platform.startProgram("VORNHALE.EXE", 1);
    ::lstat(link.c_str(), &second);
    EXPECT_EQ(first.st_ino, second.st_ino);

    // Where the launcher's own folder will not do either, nothing starts.
    ::setenv("XDG_CACHE_HOME", (root / "cache" / "100%").c_str(), 1);
    for (const auto& start : std::vector<std::function<void()>>{
             [&] { platform.startsInDosBox("VORNHALE.EXE", "."); }, [&] { platform.startProgram("VORNHALE.EXE", 1); }}) {
        try {
            start();
            ADD_FAILURE() << "no refusal";
        } catch (const LauncherError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Cannot start VORNHALE.EXE: DOSBox cannot open a folder whose name "
                                                  "holds a line break",
                                                  0),
                      0u)
                << e.what();
        }
    }
    ::unsetenv("XDG_CACHE_HOME");
}

TEST_F(PosixStartTest, HostProgramsRunDirectlyAndNothingElseStarts)
{
    recorder("dosbox");
    // A host script named like a DOS program runs by itself.
    std::ofstream(root / "game" / "VORNHALE.EXE") << "#!/bin/sh\n: > \"$PWD/direct\"\n";
    fs::permissions(root / "game" / "VORNHALE.EXE", fs::perms(0755));
    EXPECT_FALSE(platform.startsInDosBox("VORNHALE.EXE", "."));
    EXPECT_FALSE(platform.startsInDosBox("MISSING.EXE", "."));
    platform.startProgram("VORNHALE.EXE", 1);
    for (int i = 0; i < 100 && !fs::exists(root / "game" / "direct"); ++i)
        ::usleep(50000);
    EXPECT_TRUE(fs::exists(root / "game" / "direct"));

    // A file that is neither a host program nor a DOS program, and a missing
    // one: nothing starts, and the error says why.
    std::ofstream(root / "game" / "README") << "text";
    const std::pair<const char*, const char*> failures[] = {
        {"README", "Cannot start README: it is not a program this system can run"},
        {"MISSING.EXE", "Cannot start MISSING.EXE: the file was not found"},
    };
    for (const auto& [name, error] : failures) {
        try {
            platform.startProgram(name, 1);
            ADD_FAILURE() << name << " started";
        } catch (const LauncherError& e) {
            EXPECT_STREQ(e.what(), error);
        }
    }
    ::usleep(300000);
    EXPECT_FALSE(fs::exists(root / "dosbox.done"));
}

TEST_F(PosixStartTest, WithoutDosBoxOnPathADosProgramStartsNothingAndSaysSo)
{
    std::ofstream(root / "game" / "VORNHALE.EXE") << "\xcd\x20";
    // An empty $PATH entry is not the current (game) folder.
    fs::copy_file(recorder("dosbox"), root / "game" / "dosbox");
    fs::remove(root / "bin" / "dosbox");
    ::setenv("PATH", (":" + (root / "bin").string() + ":").c_str(), 1);
    EXPECT_FALSE(platform.startsInDosBox("VORNHALE.EXE", "."));
    try {
        platform.startProgram("VORNHALE.EXE", 1);
        ADD_FAILURE() << "started without DOSBox";
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(),
                     "Cannot start VORNHALE.EXE: it is a DOS program, which needs DOSBox, and DOSBox was not found");
    }
    EXPECT_FALSE(posix::startDetached((root / "bin" / "dosbox").string(), {}));
    ::usleep(300000);
    EXPECT_FALSE(fs::exists(root / "dosbox.done"));
}

TEST_F(PosixPlatformTest, OnlyNativeProgramsAndScriptsAreHostExecutable)
{
    std::ofstream(root / "script") << "#!/bin/sh\n";
    std::ofstream(root / "GAME.EXE") << "MZ\x90";
    fs::permissions(root / "script", fs::perms(0755));
    fs::permissions(root / "GAME.EXE", fs::perms(0755));
    EXPECT_TRUE(posix::isHostExecutable((root / "script").string()));
    EXPECT_FALSE(posix::isHostExecutable((root / "GAME.EXE").string()));
    EXPECT_TRUE(posix::isHostExecutable("/bin/sh"));
    fs::permissions(root / "script", fs::perms(0644));
    EXPECT_FALSE(posix::isHostExecutable((root / "script").string()));
}

TEST_F(PosixPlatformTest, StartProgramRunsAScriptFromTheCurrentDirectoryWithoutWaiting)
{
    std::ofstream(root / "vornhale.exe") << "#!/bin/sh\nsleep 0.2\ntouch \"$PWD/started\"\n";
    fs::permissions(root / "vornhale.exe", fs::perms(0755));
    platform.startProgram("VORNHALE.EXE", 1);
    EXPECT_FALSE(fs::exists(root / "started"));  // it did not wait
    for (int i = 0; i < 100 && !fs::exists(root / "started"); ++i)
        ::usleep(50000);
    EXPECT_TRUE(fs::exists(root / "started"));
    try {
        platform.startProgram("NOPE.EXE", 1);
        ADD_FAILURE() << "a missing program started";
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "Cannot start NOPE.EXE: the file was not found");
    }
}

TEST_F(PosixPlatformTest, TheLaunchersFolderLosesWhatNoDosBoxHasUsedForADay)
{
    struct Case {
        const char* name;
        bool old, running;  // a day old; named on a running program's command line
        bool kept;
    };
    const Case cases[] = {
        {"dosbox-game-1.conf", true, false, false}, {"game-00000000000000aa", true, false, false},
        {"game-00000000000000bb", true, true, true}, {"dosbox-ipx-2.conf", false, false, true},
        {"undo-00000000000000cc", true, false, true}, {"dosbox.1.log", true, false, true},
    };
    const pid_t running = ::fork();
    if (running == 0) {
        ::execl("/bin/sh", (root / "game-00000000000000bb" / "VORNHALE.EXE").c_str(), "-c", "sleep 5", nullptr);
        ::_exit(127);
    }
    ::usleep(200000);
    for (const Case& c : cases) {
        fs::create_symlink("/nonexistent", root / c.name);
        const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - (c.old ? 2 * 86400 : 0), 0}};
        ::utimensat(AT_FDCWD, (root / c.name).c_str(), times, AT_SYMLINK_NOFOLLOW);
    }
    posix::cleanUp(root.string());
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
    for (const Case& c : cases)
        EXPECT_EQ(fs::is_symlink(root / c.name), c.kept) << c.name;
}
