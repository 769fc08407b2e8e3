#include "platform/posix/PosixPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// A scratch game directory that is the current directory for one test.
class PosixPlatformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/vornhale-posix-XXXXXX";
        root = ::mkdtemp(name);
        old = fs::current_path();
        fs::current_path(root);
    }
    void TearDown() override
    {
        fs::current_path(old);
        fs::permissions(root, fs::perms::owner_all);
        fs::remove_all(root);
    }
    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path root, old;
    posix::PosixPlatform platform;
};
}  // namespace

TEST_F(PosixPlatformTest, LauncherPathsFindFilesWhateverTheirCase)
{
    fs::create_directory(root / "engine");
    std::ofstream(root / "engine" / "Vornhl.cfg") << "x";
    EXPECT_TRUE(platform.fileExists(".\\ENGINE\\VORNHL.CFG"));
    EXPECT_EQ(platform.readFile(".\\ENGINE\\VORNHL.CFG"), "x");
    EXPECT_FALSE(platform.fileExists(".\\ENGINE"));

    // A new file is created inside the directory that exists.
    platform.writeFile(".\\ENGINE\\COMMIT.DAT", "y");
    EXPECT_TRUE(fs::exists(root / "engine" / "COMMIT.DAT"));
}

TEST_F(PosixPlatformTest, ReadingAMissingFileNamesItAsWritten)
{
    try {
        platform.readFile("SETUPHLP.TXT");
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file SETUPHLP.TXT");
    }
}

TEST_F(PosixPlatformTest, WritingReplacesTheWholeFileAndKeepsItsPermissions)
{
    fs::create_directory(root / "ENGINE");
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << std::string(1000, 'z');
    fs::permissions(root / "ENGINE" / "VORNHL.CFG", fs::perms(0640));
    const std::string bytes("a\r\n\0\xff", 5);
    platform.writeFile(".\\ENGINE\\VORNHL.CFG", bytes);
    EXPECT_EQ(slurp(root / "ENGINE" / "VORNHL.CFG"), bytes);
    EXPECT_EQ(fs::status(root / "ENGINE" / "VORNHL.CFG").permissions(), fs::perms(0640));
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), 1);
}

TEST_F(PosixPlatformTest, AReadOnlyOrUnreachableFileIsNeverReplaced)
{
    fs::create_directory(root / "ENGINE");
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << "old";
    fs::permissions(root / "ENGINE" / "VORNHL.CFG", fs::perms(0444));
    EXPECT_THROW(
        {
            try {
                platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new");
            } catch (const LauncherError& e) {
                EXPECT_STREQ(e.what(), "Cannot create file .\\ENGINE\\VORNHL.CFG");
                throw;
            }
        },
        LauncherError);
    EXPECT_EQ(slurp(root / "ENGINE" / "VORNHL.CFG"), "old");

    EXPECT_THROW(platform.writeFile(".\\MISSING\\VORNHL.CFG", "x"), LauncherError);
    try {
        platform.writeDataFile(".\\MISSING\\COMMIT.DAT", "x");
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "Path not found");
    }
    try {
        platform.writeDataFile(".\\ENGINE\\VORNHL.CFG", "x");
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
}

TEST_F(PosixPlatformTest, CurrentDirectoryFollowsTheCaseOfTheDisk)
{
    fs::create_directory(root / "Engine");
    platform.setCurrentDirectory("ENGINE");
    EXPECT_EQ(fs::path(platform.currentDirectory()), fs::canonical(root / "Engine"));
    EXPECT_THROW(platform.setCurrentDirectory("NOWHERE"), LauncherError);
    EXPECT_TRUE(platform.removeFile(".\\x") == false);
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
    platform.startProgram("NOPE.EXE", 1);  // a failed start is silent
}

#include <csignal>
#include <sys/resource.h>

TEST_F(PosixPlatformTest, AWriteThatFailsHalfWayLeavesTheOldFileAndNoLeftovers)
{
    fs::create_directory(root / "ENGINE");
    const std::string old = "ScreenWidth = 640\r\n";
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << old;

    // The kernel refuses every byte past the file-size limit, as a full disk
    // would, after the first part of the new content has been written.
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    bool threw = false;
    try {
        platform.writeFile(".\\ENGINE\\VORNHL.CFG", std::string(4096, 'x'));
    } catch (const LauncherError& e) {
        threw = true;
        EXPECT_STREQ(e.what(), "Cannot create file .\\ENGINE\\VORNHL.CFG");
    }
    bool dataThrew = false;
    try {
        platform.writeDataFile(".\\ENGINE\\COMMIT.DAT", std::string(4096, 'x'));
    } catch (const LauncherError& e) {
        dataThrew = true;
        EXPECT_STREQ(e.what(), "Disk full");
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_TRUE(threw);
    EXPECT_TRUE(dataThrew);
    EXPECT_EQ(slurp(root / "ENGINE" / "VORNHL.CFG"), old);
    EXPECT_FALSE(fs::exists(root / "ENGINE" / "COMMIT.DAT"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), 1);
}
