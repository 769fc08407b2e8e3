#include "dialogs/ActionTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace controls;

TEST(ActionTables, TablesHoldTheirEntriesInTheGamesOrder)
{
    EXPECT_EQ(KeyboardActions.front(), "Move Forward");
    EXPECT_EQ(KeyboardActions[8], "AutoRun");
    EXPECT_EQ(KeyboardActions[9], "Jump");
    EXPECT_EQ(KeyboardActions[13], "Center View");
    EXPECT_EQ(KeyboardActions[18], "Change Player AI");
    EXPECT_EQ(KeyboardActions.back(), "SendMessage");

    EXPECT_EQ(ButtonActions.front(), "None");
    EXPECT_EQ(ButtonActions[3], "AutoRun");
    EXPECT_EQ(ButtonActions[9], "Mouse_Aiming");
    EXPECT_EQ(ButtonActions[10], "Move_Backward");
    EXPECT_EQ(ButtonActions[11], "Move_Forward");
    EXPECT_EQ(ButtonActions[14], "Send Message");
    EXPECT_EQ(ButtonActions[18], "Toggle_Crosshair");
    EXPECT_EQ(ButtonActions.back(), "Turn_Right");
    // Items after "None" are in ascending byte order, as the game's list is.
    for (std::size_t i = 2; i < ButtonActions.size(); ++i)
        EXPECT_LT(ButtonActions[i - 1], ButtonActions[i]) << i;

    EXPECT_EQ(KeyNames[0], "<None>");
    EXPECT_EQ(KeyNames[4], "TAB");
    EXPECT_EQ(KeyNames[5], "Q");
    EXPECT_EQ(KeyNames[17], "\\");
    EXPECT_EQ(KeyNames[18], "CapLck");
    EXPECT_EQ(KeyNames[30], "Enter");
    EXPECT_EQ(KeyNames[31], "LShift");
    EXPECT_EQ(KeyNames[42], "RShift");
    EXPECT_EQ(KeyNames[45], "SPACE");
    EXPECT_EQ(KeyNames[48], "Insert");
    EXPECT_EQ(KeyNames[54], "Up");
    EXPECT_EQ(KeyNames[55], "Down");
    EXPECT_EQ(KeyNames[58], "NumLck");
    EXPECT_EQ(KeyNames[63], "KpdEnt");
    EXPECT_EQ(KeyNames[74], "Kpad.");
}

TEST(ActionTables, NoTableRepeatsAnEntryAndNoKeyNameHasABlank)
{
    EXPECT_EQ(std::set<std::string_view>(KeyboardActions.begin(), KeyboardActions.end()).size(), 20u);
    EXPECT_EQ(std::set<std::string_view>(ButtonActions.begin(), ButtonActions.end()).size(), 21u);
    EXPECT_EQ(std::set<std::string_view>(KeyNames.begin(), KeyNames.end()).size(), 75u);
    for (std::string_view name : KeyNames)
        EXPECT_EQ(name.find(' '), std::string_view::npos) << name;
}

TEST(ActionTables, EveryKeyboardActionButTwoIsAlsoAButtonActionUnderItsUnderscoreName)
{
    std::set<std::string> buttons(ButtonActions.begin(), ButtonActions.end());
    std::set<std::string> missing;
    for (std::string_view action : KeyboardActions)
        if (!buttons.count(underscoreName(action)))
            missing.insert(std::string(action));
    // Jump and the AI switch are keyboard-only; the message action is spelt
    // "Send Message" on buttons and "SendMessage" on keys.
    EXPECT_EQ(missing, (std::set<std::string>{"Jump", "Change Player AI", "SendMessage"}));
}

TEST(ActionTables, UnderscoreNames)
{
    EXPECT_EQ(underscoreName("Change Player AI"), "Change_Player_AI");
    EXPECT_EQ(underscoreName("Move Forward"), "Move_Forward");
    EXPECT_EQ(underscoreName("AutoRun"), "AutoRun");
    EXPECT_EQ(underscoreName("SendMessage"), "SendMessage");
    EXPECT_EQ(underscoreName(""), "");
}

TEST(ActionTables, StoredFormLowersSingleLettersOnly)
{
    EXPECT_EQ(storedForm("Q"), "q");
    EXPECT_EQ(storedForm(";"), ";");
    EXPECT_EQ(storedForm("["), "[");
    EXPECT_EQ(storedForm("KpdEnt"), "KpdEnt");
    EXPECT_EQ(storedForm("TAB"), "TAB");
    EXPECT_EQ(storedForm("Kpad/"), "Kpad/");
    EXPECT_EQ(storedForm("<None>"), "<None>");
    EXPECT_EQ(storedForm("Page Up"), "PageUp");
    EXPECT_EQ(storedForm(" X "), "x");
}

TEST(ActionTables, LookupFormFindsTheEntryCaseSensitively)
{
    EXPECT_EQ(lookupForm("q"), "Q");
    EXPECT_EQ(lookupForm("tab"), "tab");
    EXPECT_EQ(lookupForm("..."), "...");
    EXPECT_EQ(lookupForm("\xe9"), "\xe9");

    EXPECT_EQ(keyEntryIndex("q"), 5);
    EXPECT_EQ(keyEntryIndex("Q"), 5);
    EXPECT_EQ(keyEntryIndex("..."), 0);
    EXPECT_EQ(keyEntryIndex("<None>"), 0);
    EXPECT_EQ(keyEntryIndex("Up"), 54);
    EXPECT_EQ(keyEntryIndex("KpdEnt"), 63);
    EXPECT_EQ(keyEntryIndex("tab"), -1);
    EXPECT_EQ(keyEntryIndex("1"), -1);
    EXPECT_EQ(keyEntryIndex("F1"), -1);
    EXPECT_EQ(keyEntryIndex("up"), -1);
    EXPECT_EQ(keyEntryIndex(""), -1);
    // Every entry a user can pick is found again by its stored form.
    for (std::size_t i = 0; i < KeyNames.size(); ++i)
        EXPECT_EQ(keyEntryIndex(storedForm(KeyNames[i])), int(i)) << KeyNames[i];
}

TEST(KeyDefinitionValues, OnlyTheFirstQuotedFieldIsAKey)
{
    EXPECT_EQ(keyStringFromValue("\"Up\" \"Kpad8\""), "Up");
    EXPECT_EQ(keyStringFromValue("\"Up\" \"\""), "Up");
    EXPECT_EQ(keyStringFromValue("\"q\""), "q");
    EXPECT_EQ(keyStringFromValue("\"Page Up\" \"\""), "Page Up");
    EXPECT_EQ(keyStringFromValue("LCtrl"), "...");
    EXPECT_EQ(keyStringFromValue("\"\""), "...");
    EXPECT_EQ(keyStringFromValue("\"\" \"\""), "...");
    EXPECT_EQ(keyStringFromValue("\"Up"), "...");
    EXPECT_EQ(keyStringFromValue(""), "...");
}

TEST(KeyDefinitionValues, LinesCarryTheKeyAndAnEmptySecondField)
{
    EXPECT_EQ(keyDefinitionLine("Move Forward", "Up"), "Move_Forward = \"Up\" \"\"");
    EXPECT_EQ(keyDefinitionLine("Change Player AI", "..."), "Change_Player_AI = \"\" \"\"");
    EXPECT_EQ(keyDefinitionLine("Fire", "q"), "Fire = \"q\" \"\"");
    EXPECT_EQ(keyDefinitionLine("Fire", "Page Up"), "Fire = \"Page Up\" \"\"");
    // A key string survives a write and a read unchanged, whatever it holds.
    for (std::string key : {"q", "TAB", "tab", "F1", "\\", "Kpad.", "..."}) {
        const std::string line = keyDefinitionLine("Fire", key);
        EXPECT_EQ(keyStringFromValue(line.substr(line.find('=') + 2)), key);
    }
}

TEST(Sensitivity, LoadsToTheNearestPosition)
{
    EXPECT_EQ(sensitivityPosition(0), 0);
    EXPECT_EQ(sensitivityPosition(-1), 0);
    EXPECT_EQ(sensitivityPosition(INT32_MIN), 0);
    EXPECT_EQ(sensitivityPosition(163), 0);
    EXPECT_EQ(sensitivityPosition(164), 1);
    EXPECT_EQ(sensitivityPosition(327), 1);
    EXPECT_EQ(sensitivityPosition(328), 1);
    EXPECT_EQ(sensitivityPosition(32767), 100);
    EXPECT_EQ(sensitivityPosition(32768), 100);
    EXPECT_EQ(sensitivityPosition(52427), 160);
    EXPECT_EQ(sensitivityPosition(65536), 200);
    EXPECT_EQ(sensitivityPosition(131068), 400);
    EXPECT_EQ(sensitivityPosition(131072), 400);
    EXPECT_EQ(sensitivityPosition(131073), 400);
    EXPECT_EQ(sensitivityPosition(INT32_MAX), 400);
}

TEST(Sensitivity, SavesOnTheGamesScale)
{
    EXPECT_EQ(sensitivityFileValue(0), 0);
    EXPECT_EQ(sensitivityFileValue(1), 327);
    EXPECT_EQ(sensitivityFileValue(100), 32767);
    EXPECT_EQ(sensitivityFileValue(160), 52427);
    EXPECT_EQ(sensitivityFileValue(400), 131068);
}

TEST(Sensitivity, EveryPositionSurvivesASaveAndALoad)
{
    for (int p = 0; p <= SensitivityMax; ++p)
        EXPECT_EQ(sensitivityPosition(sensitivityFileValue(p)), p) << p;
}
