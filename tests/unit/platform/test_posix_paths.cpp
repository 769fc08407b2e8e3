// Launcher paths on a case-sensitive disk: found whatever their case.
#include "PosixScratch.h"


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

TEST_F(PosixPlatformTest, CurrentDirectoryFollowsTheCaseOfTheDisk)
{
    fs::create_directory(root / "Engine");
    platform.setCurrentDirectory("ENGINE");
    EXPECT_EQ(fs::path(platform.currentDirectory()), fs::canonical(root / "Engine"));
    EXPECT_THROW(platform.setCurrentDirectory("NOWHERE"), LauncherError);
    EXPECT_TRUE(platform.removeFile(".\\x") == false);
}
