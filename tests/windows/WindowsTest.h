#pragma once
// Shared by the Win32 tests: a scratch game directory that is the current
// directory for one test, and a poll for what a started program leaves.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace wintest {

inline std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void spit(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline bool exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits up to `seconds` for a file that another process writes.
inline bool waitFor(const std::string& path, int seconds = 30)
{
    for (int i = 0; i < seconds * 20; ++i) {
        if (exists(path))
            return true;
        ::Sleep(50);
    }
    return false;
}

// Where the tests find the stand-in browser and what the Wine script put
// into the registry for them (scripts/test-windows.sh).
inline const std::string BrowserFolder = "C:\\Program Files\\Web Browser\\";
inline const std::string BrowserProgram = BrowserFolder + "browser.exe";
inline const std::string BrowserRecord = BrowserFolder + "COMMANDLINE.TXT";

class ScratchDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH + 1] = {};
        ::GetTempPathA(MAX_PATH, temp);
        static int counter = 0;
        root = std::string(temp) + "vornhale-" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(++counter);
        ASSERT_TRUE(::CreateDirectoryA(root.c_str(), nullptr)) << root;
        char cwd[MAX_PATH + 1] = {};
        ::GetCurrentDirectoryA(MAX_PATH, cwd);
        old = cwd;
        ASSERT_TRUE(::SetCurrentDirectoryA(root.c_str()));
    }
    void TearDown() override
    {
        ::SetCurrentDirectoryA(old.c_str());
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ignored))
            ::SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(root, ignored);
    }
    std::string at(const std::string& relative) const { return root + "\\" + relative; }

    std::string root, old;
};

}  // namespace wintest
