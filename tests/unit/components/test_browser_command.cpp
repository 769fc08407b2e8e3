// Finding the browser's command in the registry, and starting it.
#include "components/BrowserCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace {
std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return s;
}

// Keys of HKEY_CLASSES_ROOT with their default values, answering with the
// Win32 shapes: a value's size counts its NUL, and a buffer too small gets
// ERROR_MORE_DATA and no bytes. A value can also be stored without a NUL.
class TableRegistry : public Registry {
public:
    void set(const std::string& path, const std::string& value, bool withNul = true)
    {
        keys[upper(path)] = withNul ? std::optional<std::string>(value + '\0') : value;
    }
    void key(const std::string& path) { keys[upper(path)] = std::nullopt; }

    long openKey(Key parent, const std::string& subKey, Key* result) override
    {
        const std::string base = parent == ClassesRoot ? "" : handles.at(parent) + "\\";
        const std::string path = upper(base + subKey);
        opened.push_back(path);
        if (!keys.count(path))
            return FileNotFound;
        *result = 100 + handles.size() + closed;
        handles[*result] = path;
        return Success;
    }
    long queryValue(Key key, const std::string& name, char* data, unsigned long* size) override
    {
        EXPECT_EQ(name, "");
        const auto& value = keys.at(handles.at(key));
        if (!value)
            return FileNotFound;
        if (data) {
            bufferSizes.push_back(*size);
            if (*size < value->size()) {
                *size = (unsigned long)value->size();
                return MoreData;
            }
            std::memcpy(data, value->data(), value->size());
        }
        *size = (unsigned long)value->size();
        return Success;
    }
    long closeKey(Key key) override
    {
        ++closed;
        return handles.erase(key) ? Success : 6;
    }

    std::map<std::string, std::optional<std::string>> keys;
    std::map<Key, std::string> handles;  // keys open now
    std::vector<std::string> opened;
    std::vector<unsigned long> bufferSizes;
    int closed = 0;
};

// Only the browser start and the registry are used here.
class BrowserPlatform : public Platform {
public:
    bool fileExists(const std::string&) override { return false; }
    std::string readFile(const std::string& p) override { throw errors::cannotOpenFile(p); }
    void writeFile(const std::string&, const std::string&) override {}
    void writeDataFile(const std::string&, const std::string&) override {}
    bool removeFile(const std::string&) override { return false; }
    std::string currentDirectory() override { return "C:\\GAMES"; }
    void setCurrentDirectory(const std::string&) override {}
    char pathSeparator() const override { return '\\'; }
    void startProgram(const std::string&, int) override { ADD_FAILURE() << "no program start expected"; }
    bool startsInDosBox(const std::string&, const std::string&) override { return false; }
    void startProgramWith(const std::string&, int, const dosbox::Setup&) override
    {
        ADD_FAILURE() << "no program start expected";
    }
    std::string dosBoxFolder() override { return "C:\\CACHE"; }
    std::string playerDosBoxConfigurations(const std::string&) override { return {}; }
    int shellExecute(const std::string& file, const std::string& parameters, int show) override
    {
        starts.push_back({file, parameters, show});
        return result;
    }
    Registry& registry() override { return table; }
    std::shared_ptr<Router> router() override { return nullptr; }
    bool portFree(Protocol, int) override { return true; }
    void quit() override {}

    struct Start {
        std::string file, parameters;
        int show;
    };
    std::vector<Start> starts;
    int result = 42;
    TableRegistry table;
};

const std::string Page = "C:\\GAMES\\web\\Selvane\\Index.htm";
}  // namespace

// --- Finding the command -------------------------------------------------

TEST(FindBrowserCommand, TakesTheTypesCommandAndClosesEveryKey)
{
    TableRegistry reg;
    reg.set(".htm", "htmlfile");
    reg.set("htmlfile\\shell\\open\\command", "\"C:\\Web\\view.exe\" \"%1\"");
    EXPECT_EQ(browser::FindBrowserCommand(reg), "\"C:\\Web\\view.exe\" \"\"");
    EXPECT_TRUE(reg.handles.empty());
    EXPECT_EQ(reg.opened, (std::vector<std::string>{".HTM", "HTMLFILE\\SHELL\\OPEN\\COMMAND"}));
    // Every read goes into the one fixed buffer.
    for (unsigned long size : reg.bufferSizes)
        EXPECT_EQ(size, 1025u);
}

TEST(FindBrowserCommand, FallsThroughToTheNextExtensionWhenHtmHasNoUsableCommand)
{
    // .HTM names a type whose command is empty, and has nothing of its own.
    TableRegistry reg;
    reg.set(".htm", "deadtype");
    reg.set("deadtype\\shell\\open\\command", "");
    reg.set(".html", "htmlfile");
    reg.set("htmlfile\\shell\\open\\command", "C:\\WEB.EXE %1");
    EXPECT_EQ(browser::FindBrowserCommand(reg), "C:\\WEB.EXE ");
    EXPECT_TRUE(reg.handles.empty());

    // A .HTM key whose default value cannot even be sized is skipped whole,
    // its own subkey included.
    TableRegistry unsized;
    unsized.key(".htm");
    unsized.set(".htm\\shell\\open\\command", "C:\\WRONG.EXE");
    unsized.set(".shtm", "");
    unsized.set(".shtm\\shell\\open\\command", "C:\\RIGHT.EXE");
    EXPECT_EQ(browser::FindBrowserCommand(unsized), "C:\\RIGHT.EXE");
    EXPECT_EQ(unsized.opened,
              (std::vector<std::string>{".HTM", ".HTML", ".SHTML", ".SHTM", ".SHTM\\SHELL\\OPEN\\COMMAND"}));
}

TEST(FindBrowserCommand, UsesTheExtensionsOwnSubkeyWhenTheTypeHasNoCommand)
{
    TableRegistry reg;
    reg.set(".htm", "htmlfile");
    reg.key("htmlfile");  // the type exists, without shell\open\command
    reg.set(".htm\\shell\\open\\command", "C:\\OWN.EXE %1");
    reg.set(".html", "htmlfile2");
    reg.set("htmlfile2\\shell\\open\\command", "C:\\LATER.EXE %1");
    EXPECT_EQ(browser::FindBrowserCommand(reg), "C:\\OWN.EXE ");
    EXPECT_EQ(reg.opened, (std::vector<std::string>{".HTM", "HTMLFILE\\SHELL\\OPEN\\COMMAND",
                                                    ".HTM\\SHELL\\OPEN\\COMMAND"}));
    EXPECT_TRUE(reg.handles.empty());
}

TEST(FindBrowserCommand, NothingRegisteredGivesEmptyText)
{
    TableRegistry reg;
    EXPECT_EQ(browser::FindBrowserCommand(reg), "");
    EXPECT_EQ(reg.opened, (std::vector<std::string>{".HTM", ".HTML", ".SHTML", ".SHTM"}));

    // Types and subkeys without any non-empty command count as nothing.
    reg.set(".htm", "");
    reg.set(".htm\\shell\\open\\command", "");
    reg.set(".html", "nowhere");
    EXPECT_EQ(browser::FindBrowserCommand(reg), "");
    EXPECT_TRUE(reg.handles.empty());
}

TEST(FindBrowserCommand, AValueLongerThanTheBufferIsNeverReadPastIt)
{
    TableRegistry reg;
    // 1,024 characters and the NUL fill the buffer exactly: still read.
    const std::string fits = "C:\\" + std::string(1017, 'F') + ".EXE";
    ASSERT_EQ(fits.size(), 1024u);
    reg.set(".htm", "fits");
    reg.set("fits\\shell\\open\\command", fits);
    EXPECT_EQ(browser::FindBrowserCommand(reg), fits);

    // One more and it does not fit: that command is skipped and the search
    // goes on with the next place to look.
    reg.set("fits\\shell\\open\\command", fits + "X");
    reg.set(".htm\\shell\\open\\command", "C:\\SHORT.EXE");
    EXPECT_EQ(browser::FindBrowserCommand(reg), "C:\\SHORT.EXE");

    // A type name too long to read is no type name at all.
    TableRegistry longType;
    longType.set(".htm", std::string(3000, 't'));
    longType.set(".htm\\shell\\open\\command", "C:\\OWN.EXE");
    EXPECT_EQ(browser::FindBrowserCommand(longType), "C:\\OWN.EXE");
    EXPECT_EQ(longType.opened.size(), 2u);

    // A value stored without its NUL ends at the buffer's end, not beyond.
    TableRegistry raw;
    raw.set(".htm", "");
    raw.set(".htm\\shell\\open\\command", std::string(1025, 'R'), /*withNul=*/false);
    EXPECT_EQ(browser::FindBrowserCommand(raw), std::string(1025, 'R'));
    // ... and one with an early NUL ends there.
    raw.set(".htm\\shell\\open\\command", std::string("C:\\A.EXE\0junk", 13), false);
    EXPECT_EQ(browser::FindBrowserCommand(raw), "C:\\A.EXE");
}

// --- Starting it ---------------------------------------------------------

TEST(OpenInBrowser, StartsTheRegisteredProgramRestoredAndReportsTheResult)
{
    BrowserPlatform platform;
    platform.table.set(".htm", "htmlfile");
    platform.table.set("htmlfile\\shell\\open\\command", "\"C:\\Web\\view.exe\" -new \"%1\"");
    EXPECT_TRUE(browser::OpenInBrowser(platform, Page));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].file, "C:\\WEB\\VIEW.EXE");
    EXPECT_EQ(platform.starts[0].parameters, " -NEW \"\" " + Page);
    EXPECT_EQ(platform.starts[0].show, 9);

    // 32 and below is a failed start.
    platform.result = 32;
    EXPECT_FALSE(browser::OpenInBrowser(platform, Page));
    EXPECT_TRUE(platform.table.handles.empty());
}

TEST(OpenInBrowser, StartsNothingWithoutAHandlerOrWithoutAProgramEnding)
{
    BrowserPlatform platform;
    EXPECT_FALSE(browser::OpenInBrowser(platform, Page));
    platform.table.set(".html", "");
    platform.table.set(".html\\shell\\open\\command", "/usr/bin/browser %1");
    EXPECT_FALSE(browser::OpenInBrowser(platform, Page));
    EXPECT_TRUE(platform.starts.empty());

    // The lookup runs afresh on every call: a browser registered later is used.
    platform.table.set(".html\\shell\\open\\command", "/usr/bin/browser.com %1");
    EXPECT_TRUE(browser::OpenInBrowser(platform, Page));
    ASSERT_EQ(platform.starts.size(), 1u);
    EXPECT_EQ(platform.starts[0].file, "/USR/BIN/BROWSER.COM");
}
