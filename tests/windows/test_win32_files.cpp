// Files and the current directory through the real Win32 calls.

#include "WindowsTest.h"

#include "platform/win32/Win32Platform.h"
#include "settings/SettingsLines.h"

#include <filesystem>
#include <set>
#include <thread>

using wintest::slurp;
using wintest::spit;

namespace {
class Win32FilesTest : public wintest::ScratchDirectoryTest {
protected:
    void SetUp() override
    {
        ScratchDirectoryTest::SetUp();
        ASSERT_TRUE(::CreateDirectoryA(at("ENGINE").c_str(), nullptr));
    }
    int entriesIn(const std::string& relative) const
    {
        return int(std::distance(std::filesystem::directory_iterator(at(relative)),
                                 std::filesystem::directory_iterator()));
    }
    // The text of the LauncherError that `action` throws ("" when none).
    template <typename F>
    static std::string errorOf(F action)
    {
        try {
            action();
        } catch (const LauncherError& e) {
            return e.what();
        }
        return "";
    }

    win32::Win32Platform platform;
};
}  // namespace

TEST_F(Win32FilesTest, ASettingsFileIsSavedAndReadBackByteForByteWithCrLf)
{
    // Lines the launcher does not own, 8-bit text and a line without a final
    // break must all survive a load, an edit and a save.
    const std::string original = "; Vornhale settings\r\nScreenWidth = 640\r\nPlayerName = J\xe9r\xf4me\r\n"
                                 "[Unknown]\r\nCustom=\tkeep me \r\nFXDevice = 1";
    spit(at("ENGINE\\VORNHL.CFG"), original);

    settings::LineBuffer buffer;
    buffer.read(platform.readFile(".\\ENGINE\\VORNHL.CFG"));
    ASSERT_TRUE(buffer.replaceSetting("FXDevice = 0"));
    platform.writeFile(".\\ENGINE\\VORNHL.CFG", buffer.write());

    const std::string expected = "; Vornhale settings\r\nScreenWidth = 640\r\nPlayerName = J\xe9r\xf4me\r\n"
                                 "[Unknown]\r\nCustom=\tkeep me \r\nFXDevice = 0";
    EXPECT_EQ(slurp(at("ENGINE\\VORNHL.CFG")), expected);
    EXPECT_EQ(platform.readFile(".\\ENGINE\\VORNHL.CFG"), expected);
    EXPECT_EQ(entriesIn("ENGINE"), 1) << "a temporary file was left behind";
}

TEST_F(Win32FilesTest, WritingReplacesTheWholeFileWithExactlyTheBytesGiven)
{
    spit(at("ENGINE\\COMMIT.DAT"), std::string(5000, 'z'));
    const std::string bytes("[COMMIT]\r\nA\0\xff\n\r", 15);
    platform.writeDataFile(".\\ENGINE\\COMMIT.DAT", bytes);
    EXPECT_EQ(slurp(at("ENGINE\\COMMIT.DAT")), bytes);

    // A new file, a bare name in the current directory, and an empty file.
    platform.writeFile("CDA.DAT", std::string(1, '\0'));
    EXPECT_EQ(slurp(at("CDA.DAT")), std::string(1, '\0'));
    platform.writeFile("EMPTY.TXT", "");
    EXPECT_TRUE(platform.fileExists("EMPTY.TXT"));
    EXPECT_EQ(platform.readFile("EMPTY.TXT"), "");

    // A large file arrives whole.
    std::string large(3 << 20, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = char(i * 7);
    platform.writeFile(".\\ENGINE\\LARGE.DAT", large);
    EXPECT_EQ(platform.readFile(".\\ENGINE\\LARGE.DAT"), large);
    EXPECT_EQ(entriesIn("ENGINE"), 2);
}

TEST_F(Win32FilesTest, FailuresUseTheRuntimeTextsAndNeverTouchTheOldFile)
{
    EXPECT_EQ(errorOf([&] { platform.readFile("SETUPHLP.TXT"); }), "Cannot open file SETUPHLP.TXT");
    EXPECT_EQ(errorOf([&] { platform.readFile("ENGINE"); }), "Cannot open file ENGINE");

    spit(at("ENGINE\\VORNHL.CFG"), "old");
    ASSERT_TRUE(::SetFileAttributesA(at("ENGINE\\VORNHL.CFG").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(errorOf([&] { platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new"); }),
              "Cannot create file .\\ENGINE\\VORNHL.CFG");
    EXPECT_EQ(errorOf([&] { platform.writeDataFile(".\\ENGINE\\VORNHL.CFG", "new"); }), "File access denied");
    EXPECT_EQ(slurp(at("ENGINE\\VORNHL.CFG")), "old");
    EXPECT_EQ(entriesIn("ENGINE"), 1);

    EXPECT_EQ(errorOf([&] { platform.writeFile(".\\MISSING\\VORNHL.CFG", "x"); }),
              "Cannot create file .\\MISSING\\VORNHL.CFG");
    EXPECT_EQ(errorOf([&] { platform.writeDataFile(".\\MISSING\\COMMIT.DAT", "x"); }), "Path not found");
    EXPECT_EQ(errorOf([&] { platform.writeDataFile("ENGINE", "x"); }), "File access denied");

    EXPECT_EQ(win32::ioErrorText(ERROR_DISK_FULL), "Disk full");
    EXPECT_EQ(win32::ioErrorText(ERROR_SHARING_VIOLATION), "I/O error 32");
}

TEST_F(Win32FilesTest, AReplacedFileKeepsItsAttributes)
{
    const std::string file = at("ENGINE\\VORNHL.CFG");
    spit(file, "old");
    const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(::SetFileAttributesA(file.c_str(), attributes));
    platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new");
    EXPECT_EQ(slurp(file), "new");
    EXPECT_EQ(::GetFileAttributesA(file.c_str()) & (attributes | FILE_ATTRIBUTE_READONLY), attributes);
    EXPECT_EQ(entriesIn("ENGINE"), 1);
}

TEST_F(Win32FilesTest, AFileHeldByAnotherProgramIsTriedAgainForAboutASecond)
{
    const std::string file = at("ENGINE\\VORNHL.CFG");
    struct Case {
        int heldMs;
        bool saved;
    };
    for (const Case c : {Case{300, true}, Case{3000, false}}) {
        spit(file, "old");
        // Held without sharing, as a virus scanner may hold a file it reads.
        const HANDLE held = ::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread release([&] {
            ::Sleep(DWORD(c.heldMs));
            ::CloseHandle(held);
        });
        const std::string error = errorOf([&] { platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new"); });
        release.join();
        EXPECT_EQ(error, c.saved ? "" : "Cannot create file .\\ENGINE\\VORNHL.CFG") << c.heldMs;
        EXPECT_EQ(slurp(file), c.saved ? "new" : "old") << c.heldMs;
        EXPECT_EQ(entriesIn("ENGINE"), 1) << c.heldMs;
    }
}

TEST_F(Win32FilesTest, AReplaceThatStopsHalfWayNeverLosesTheNewContent)
{
    // What ReplaceFileA leaves when it stops half-way, without a backup name.
    using Step = win32::ReplaceFileCall;
    const Step gone = [](const char* old, const char*) -> unsigned long {
        ::DeleteFileA(old);
        return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
    };
    const Step renamed = [](const char* old, const char*) -> unsigned long {
        ::MoveFileA(old, (std::string(old) + "~").c_str());
        return ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    };
    const Step goneAndAFolderThere = [](const char* old, const char*) -> unsigned long {
        ::DeleteFileA(old);
        ::CreateDirectoryA(old, nullptr);
        return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
    };
    const Step untouched = [](const char*, const char*) -> unsigned long { return ERROR_ACCESS_DENIED; };
    const std::string refused = "Cannot create file .\\ENGINE\\VORNHL.CFG";
    struct Case {
        const char* name;
        Step replace;
        std::string error;                    // "" when the save is complete
        std::multiset<std::string> contents;  // of the files in ENGINE afterwards
    };
    const Case cases[] = {
        {"the old file gone", gone, "", {"new"}},
        {"the old file under another name", renamed, "", {"new", "old"}},
        {"the old file gone and the name not free", goneAndAFolderThere, refused, {"new"}},
        {"nothing touched: written in place", untouched, "", {"new"}},
    };
    const Step real = win32::replaceFileCall;
    for (const Case& c : cases) {
        std::filesystem::remove_all(at("ENGINE"));
        ASSERT_TRUE(::CreateDirectoryA(at("ENGINE").c_str(), nullptr));
        spit(at("ENGINE\\VORNHL.CFG"), "old");
        win32::replaceFileCall = c.replace;
        EXPECT_EQ(errorOf([&] { platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new"); }), c.error) << c.name;
        win32::replaceFileCall = real;
        std::multiset<std::string> contents;
        for (const auto& entry : std::filesystem::directory_iterator(at("ENGINE")))
            if (entry.is_regular_file())
                contents.insert(slurp(entry.path().string()));
        EXPECT_EQ(contents, c.contents) << c.name;
        if (c.error.empty())
            EXPECT_EQ(slurp(at("ENGINE\\VORNHL.CFG")), "new") << c.name;
    }
    // A temporary file that a save killed long ago left goes with a save.
    spit(at("ENGINE\\vhl1A2B.tmp"), "x");
    const HANDLE leftover = ::CreateFileA(at("ENGINE\\vhl1A2B.tmp").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const FILETIME longAgo = {0, 0x01d00000};
    ::SetFileTime(leftover, nullptr, nullptr, &longAgo);
    ::CloseHandle(leftover);
    platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new");
    EXPECT_FALSE(wintest::exists(at("ENGINE\\vhl1A2B.tmp")));
    // An in-place save cut short left its copy of the old content: the next
    // start puts it back and says so, once.
    spit(at("ENGINE\\VORNHL.CFG.vornhale-undo"), "old");
    EXPECT_NE(platform.recoverInterruptedSave(".\\ENGINE\\VORNHL.CFG"), "");
    EXPECT_EQ(platform.recoverInterruptedSave(".\\ENGINE\\VORNHL.CFG"), "");
    EXPECT_EQ(slurp(at("ENGINE\\VORNHL.CFG")), "old");
}

TEST_F(Win32FilesTest, ExistenceAndRemovalConcernFilesOnly)
{
    spit(at("CDA.DAT"), "x");
    EXPECT_TRUE(platform.fileExists("CDA.DAT"));
    EXPECT_TRUE(platform.fileExists(".\\cda.dat"));  // the file system ignores case
    EXPECT_FALSE(platform.fileExists("ENGINE"));
    EXPECT_FALSE(platform.fileExists("NOPE.DAT"));

    EXPECT_TRUE(platform.removeFile("CDA.DAT"));
    EXPECT_FALSE(wintest::exists(at("CDA.DAT")));
    EXPECT_FALSE(platform.removeFile("CDA.DAT"));

    // Names are 8-bit text in the system's code page, as the user typed them.
    const std::string name = "CAF\xc9 \xe0 LA CR\xc8ME.TXT";
    platform.writeFile(name, "x");
    EXPECT_TRUE(wintest::exists(at(name)));
    EXPECT_TRUE(platform.fileExists(name));
    EXPECT_EQ(platform.readFile(".\\" + name), "x");
    EXPECT_TRUE(platform.removeFile(name));
}

TEST_F(Win32FilesTest, TheCurrentDirectoryGoesIntoEngineAndBack)
{
    EXPECT_EQ(platform.currentDirectory(), root);
    EXPECT_EQ(platform.pathSeparator(), '\\');

    platform.setCurrentDirectory("ENGINE");
    EXPECT_EQ(platform.currentDirectory(), root + "\\ENGINE");
    // Relative paths now start from ENGINE, for this process's own calls too.
    platform.writeFile("COMMIT.DAT", "x");
    EXPECT_TRUE(wintest::exists(at("ENGINE\\COMMIT.DAT")));

    platform.setCurrentDirectory("..");
    EXPECT_EQ(platform.currentDirectory(), root);

    // A full path ends in a backslash only at a drive's root.
    const std::string drive = root.substr(0, 3);
    platform.setCurrentDirectory(drive);
    EXPECT_EQ(platform.currentDirectory(), drive);
    platform.setCurrentDirectory(root);

    spit(at("FILE.TXT"), "x");
    EXPECT_EQ(errorOf([&] { platform.setCurrentDirectory("NOWHERE"); }), "Path not found");
    EXPECT_EQ(errorOf([&] { platform.setCurrentDirectory("FILE.TXT"); }), "Path not found");
    EXPECT_EQ(platform.currentDirectory(), root);
}
