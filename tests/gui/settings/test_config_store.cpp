#include "GuiTest.h"

#include "settings/_config.h"

#include <QComboBox>

class ConfigStore : public GuiTest {
protected:
    Tconfig& config() { return *forms->config; }
};

TEST_F(ConfigStore, WithoutASettingsFileLoadChangesNothing)
{
    config().Memo1.append("kept");
    config().StoredPlayerName = "Ace";
    config().LoadSettings();
    EXPECT_EQ(config().Memo1.size(), 1u);
    EXPECT_EQ(config().StoredPlayerName, "Ace");
}

TEST_F(ConfigStore, AnUnreadableFileEmptiesTheLinesAndReportsTheName)
{
    config().Memo1.append("stale = 1");
    platform.putFile("ENGINE\\VORNHL.CFG", "a = 1\r\n");
    platform.unreadable.push_back("ENGINE\\VORNHL.CFG");
    try {
        config().LoadSettings();
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file .\\ENGINE\\VORNHL.CFG");
    }
    EXPECT_EQ(config().Memo1.size(), 0u);
}

TEST_F(ConfigStore, AFailedSaveLeavesTheFileOnDiskAsItWas)
{
    const std::string original = "; comment\r\nUnknown = \xe9\r\nScreenWidth = 640\r\n";
    platform.putFile("ENGINE\\VORNHL.CFG", original);
    config().Memo1.read(original);
    platform.unwritable.push_back("ENGINE\\VORNHL.CFG");
    try {
        config().SaveSettings();
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "Cannot create file .\\ENGINE\\VORNHL.CFG");
    }
    EXPECT_EQ(platform.file("ENGINE\\VORNHL.CFG"), original);
}

TEST_F(ConfigStore, SelectQuotedItemMatchesTheFirstFieldCaseInsensitively)
{
    QComboBox list;
    list.addItems({"None", "Fire", "Send Message"});
    config().Memo1.read("MouseButton0 = \"fire\"\r\nMouseButton1 = Fire\r\nMouseButton2 = \"send message\" \"x\"\r\n"
                        "B3 = \"Jump\"\r\nB4 = \"\"\r\n");
    auto pick = [&](const char* key) {
        list.setCurrentIndex(2);
        config().SelectQuotedItem(key, &list);
        return list.currentIndex();
    };
    EXPECT_EQ(pick("MouseButton0"), 1);
    EXPECT_EQ(pick("MouseButton1"), 0);
    EXPECT_EQ(pick("MouseButton2"), 2);
    EXPECT_EQ(pick("B3"), 0);
    EXPECT_EQ(pick("B4"), 0);
    EXPECT_EQ(pick("Missing"), 0);
}
