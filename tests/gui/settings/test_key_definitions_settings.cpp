#include "GuiTest.h"

#include "dialogs/_kbsetup.h"
#include "settings/_config.h"
#include "settings/groups.h"
#include "ui__kbsetup.h"

#include <string>

// The key-definition step on its own, over the store's lines.
class KeyDefinitions : public GuiTest {
protected:
    Tconfig& config() { return *forms->config; }
    Tkbsetup& keyboard() { return *forms->kbsetup; }

    void load(const std::string& text)
    {
        config().Memo1.read(text);
        settings::loadKeyDefinitions(config(), *forms->kbsetup);
    }
    std::string save()
    {
        settings::saveKeyDefinitions(config(), *forms->kbsetup);
        return config().Memo1.write();
    }
    std::string keyOf(const std::string& caption)
    {
        for (int row = 0; row < keyboard().rowCount(); ++row)
            if (keyboard().rowCaption(row) == caption)
                return keyboard().keyString(row);
        ADD_FAILURE() << "no row " << caption;
        return {};
    }
};

TEST_F(KeyDefinitions, TheFirstQuotedFieldIsTheKeyAndTheSecondIsWrittenEmpty)
{
    load("Move_Forward = \"Up\" \"Kpad8\"\r\n");
    EXPECT_EQ(keyOf("Move Forward"), "Up");
    EXPECT_EQ(save(), "Move_Forward = \"Up\" \"\"\r\n");
}

TEST_F(KeyDefinitions, KeysMatchInAnyCaseAndAreRewrittenInTheGamesSpelling)
{
    load("move_forward = \"Up\" \"\"\r\nCHANGE_PLAYER_AI = \"F1\" \"\"\r\n");
    EXPECT_EQ(keyOf("Move Forward"), "Up");
    EXPECT_EQ(keyOf("Change Player AI"), "F1");
    EXPECT_EQ(save(), "Move_Forward = \"Up\" \"\"\r\nChange_Player_AI = \"F1\" \"\"\r\n");
}

TEST_F(KeyDefinitions, UnquotedOrEmptyValuesMeanNoKey)
{
    load("Fire = LCtrl\r\nOpen = \"\"\r\nRun = \"\" \"LShift\"\r\nJump =\r\n");
    EXPECT_EQ(keyOf("Fire"), "...");
    EXPECT_EQ(keyOf("Open"), "...");
    EXPECT_EQ(keyOf("Run"), "...");
    EXPECT_EQ(keyOf("Jump"), "...");
    EXPECT_EQ(save(), "Fire = \"\" \"\"\r\nOpen = \"\" \"\"\r\nRun = \"\" \"\"\r\nJump = \"\" \"\"\r\n");
}

TEST_F(KeyDefinitions, KeyStringsTravelUnchangedWhateverTheyHold)
{
    const std::string file = "Fire = \"q\" \"\"\r\nOpen = \"Page Up\" \"\"\r\nRun = \"tab\" \"\"\r\n"
                             "Jump = \"\xe9\" \"\"\r\nCrouch = \"1\" \"\"\r\n";
    load(file);
    EXPECT_EQ(keyOf("Fire"), "q");
    EXPECT_EQ(keyOf("Open"), "Page Up");
    EXPECT_EQ(keyOf("Run"), "tab");
    EXPECT_EQ(keyOf("Jump"), "\xe9");
    EXPECT_EQ(keyOf("Crouch"), "1");
    EXPECT_EQ(save(), file);
}

TEST_F(KeyDefinitions, AMissingOrMisspeltLineIsNeverAddedNorTouched)
{
    const std::string file = "; keys\r\nMove Forward = \"Up\" \"\"\r\nMove_Forward=\"Down\" \"\"\r\n";
    load(file);
    // Found by lookup (blanks around "=" do not matter there) ...
    EXPECT_EQ(keyOf("Move Forward"), "Down");
    EXPECT_EQ(keyOf("Jump"), "...");
    // ... but only a line in the game's own form is ever replaced.
    keyboard().setKeyString(0, "Kpad8");
    keyboard().setKeyString(9, "a");
    EXPECT_EQ(save(), file);
}

TEST_F(KeyDefinitions, RowsAreMadeOnceAndEveryLoadSetsEveryRow)
{
    load("Fire = \"LCtrl\" \"\"\r\nJump = \"a\" \"\"\r\n");
    ASSERT_EQ(keyboard().rowCount(), 20);
    QTreeWidgetItem* first = keyboard().ui->KeySetup->topLevelItem(0);
    keyboard().setKeyString(0, "Up");
    keyboard().ui->KeySetup->topLevelItem(3)->setSelected(true);

    load("Fire = \"RCtrl\" \"\"\r\n");
    ASSERT_EQ(keyboard().rowCount(), 20);
    EXPECT_EQ(keyboard().ui->KeySetup->topLevelItem(0), first);
    EXPECT_TRUE(keyboard().ui->KeySetup->topLevelItem(3)->isSelected());
    EXPECT_EQ(keyOf("Move Forward"), "...");
    EXPECT_EQ(keyOf("Fire"), "RCtrl");
    EXPECT_EQ(keyOf("Jump"), "...");
}

TEST_F(KeyDefinitions, WithoutRowsASaveWritesNoKeyAndMakesNoRows)
{
    config().Memo1.read("Fire = \"LCtrl\" \"x\"\r\n");
    EXPECT_EQ(save(), "Fire = \"LCtrl\" \"x\"\r\n");
    EXPECT_EQ(keyboard().rowCount(), 0);
}

// Through the store's own load and save, as the configuration menu runs them.
TEST_F(KeyDefinitions, WithoutASettingsFileTheDialogStaysEmpty)
{
    config().LoadSettings();
    EXPECT_EQ(keyboard().rowCount(), 0);
}

TEST_F(KeyDefinitions, TheDemoKeysSurviveAnyNumberOfLoadsAndSaves)
{
    std::string file;
    const char* actions[] = {"Move_Forward", "Move_Backward", "Turn_Left",   "Turn_Right",       "Strafe",
                             "Fire",         "Open",          "Run",         "AutoRun",          "Jump",
                             "Crouch",       "Look_Up",       "Look_Down",   "Center_View",      "Strafe_Left",
                             "Strafe_Right", "Aim_Up",        "Aim_Down",    "Change_Player_AI", "SendMessage"};
    const char* keys[] = {"Up", "Down", "Left", "Right", "LAlt", "LCtrl", "SPACE", "LShift", "CapLck", "a",
                          "z",  "PgUp", "PgDn", "Home",  ",",    ".",     "",      "q",      "",       "t"};
    for (int i = 0; i < 20; ++i)
        file += std::string(actions[i]) + " = \"" + keys[i] + "\" \"\"\r\n";
    for (int round = 0; round < 3; ++round) {
        load(file);
        EXPECT_EQ(save(), file);
    }
    EXPECT_EQ(keyOf("Aim Up"), "...");
    EXPECT_EQ(keyOf("Strafe Left"), ",");
}
