// CD audio: the check box, MusicToggle and the CDA.DAT marker the game
// looks for.
#include "VideoAudioSettings.h"

TEST_F(VideoAudioSettings, OnlyTheExactTextZeroDisablesCdAudio)
{
    const std::pair<const char*, bool> cases[] = {{"MusicToggle = 0", true},   {"MusicToggle = 1", false},
                                                  {"MusicToggle = 2", false},  {"MusicToggle = 00", false},
                                                  {"MusicToggle =", false},    {"", false},
                                                  {"MusicToggle =  0 ", true}};
    for (const auto& [line, disabled] : cases) {
        audio().DisableCDAudio->setChecked(!disabled);
        load(with("MusicToggle = 1", line));
        EXPECT_EQ(audio().DisableCDAudio->isChecked(), disabled) << line;
    }
}

TEST_F(VideoAudioSettings, SavingKeepsTheCdMarkerExactlyWhileCdAudioIsOn)
{
    load(with("MusicToggle = 1", ""));  // the marker does not depend on the line
    audio().DisableCDAudio->setChecked(false);
    save();
    EXPECT_EQ(platform.file("CDA.DAT"), std::string(1, '\0'));
    EXPECT_FALSE(hasLine("MusicToggle = 1"));

    load(FullFile);
    audio().DisableCDAudio->setChecked(true);
    save();
    EXPECT_FALSE(platform.fileExists("CDA.DAT"));
    EXPECT_TRUE(hasLine("MusicToggle = 0"));
    save();  // no marker to remove: nothing to report
    EXPECT_FALSE(platform.fileExists("CDA.DAT"));

    platform.putFile("CDA.DAT", "stale");
    platform.undeletable.push_back("CDA.DAT");
    save();  // a marker that cannot be removed is ignored
    EXPECT_TRUE(hasLine("MusicToggle = 0"));

    platform.putFile("CDA.DAT", "old content");
    audio().DisableCDAudio->setChecked(false);
    save();
    EXPECT_EQ(platform.file("CDA.DAT"), std::string(1, '\0'));
    EXPECT_TRUE(hasLine("MusicToggle = 1"));
}

TEST_F(VideoAudioSettings, AMarkerThatCannotBeWrittenStopsTheSaveBeforeTheFile)
{
    platform.putFile("ENGINE\\VORNHL.CFG", with("FXDevice = 0", "FXDevice = 6"));
    load(with("FXDevice = 0", "FXDevice = 6"));
    setItemIndex(audio().SFXCard, 1);
    setItemIndex(audio().NumVoices, 0);
    audio().DisableCDAudio->setChecked(false);
    platform.unwritable.push_back("CDA.DAT");
    try {
        config().SaveSettings();
        FAIL() << "the save went on";
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    EXPECT_EQ(platform.file("ENGINE\\VORNHL.CFG"), with("FXDevice = 0", "FXDevice = 6"));
    EXPECT_FALSE(platform.fileExists("CDA.DAT"));
    // The lines replaced before the marker stay replaced; the rest never came.
    EXPECT_TRUE(hasLine("FXDevice = 0"));
    EXPECT_TRUE(hasLine("NumVoices = 8"));
}
