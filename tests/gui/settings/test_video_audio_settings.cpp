// The video and audio groups: every list's values both ways, the fallbacks,
// the strict keys and the lines no control shows.
#include "VideoAudioSettings.h"

TEST_F(VideoAudioSettings, SaveThenLoadReturnsEveryItemOfEveryList)
{
    load(FullFile);
    for (int i = 0; i < 3; ++i) {
        viewMode()->setItemIndex(i);
        save();
        viewMode()->setItemIndex((i + 1) % 3);
        load(config().Memo1.write());
        EXPECT_EQ(viewMode()->itemIndex(), i);
    }
    for (QComboBox* list : {audio().SFXCard, audio().Port, audio().IRQ, audio().DMA8, audio().DMA16, audio().NumVoices,
                            audio().Mixing, audio().Channels, audio().MixRate}) {
        for (int i = 0; i < list->count(); ++i) {
            setItemIndex(list, i);
            save();
            setItemIndex(list, (i + 1) % list->count());
            load(config().Memo1.write());
            EXPECT_EQ(list->currentIndex(), i) << list->objectName().toStdString();
        }
    }
    for (bool disabled : {true, false}) {
        audio().DisableCDAudio->setChecked(disabled);
        save();
        audio().DisableCDAudio->setChecked(!disabled);
        load(config().Memo1.write());
        EXPECT_EQ(audio().DisableCDAudio->isChecked(), disabled);
    }
}

TEST_F(VideoAudioSettings, EachItemWritesItsLines)
{
    load(FullFile);
    viewMode()->setItemIndex(0);
    setItemIndex(audio().SFXCard, 2);
    setItemIndex(audio().Port, 6);
    setItemIndex(audio().IRQ, 7);
    setItemIndex(audio().DMA8, 2);
    setItemIndex(audio().DMA16, 2);
    setItemIndex(audio().NumVoices, 3);
    setItemIndex(audio().Mixing, 0);
    setItemIndex(audio().Channels, 0);
    setItemIndex(audio().MixRate, 0);
    save();
    for (const char* line : {"ScreenMode = 0", "ScreenWidth = 320", "ScreenHeight = 200", "FXDevice = 6",
                             "BlasterAddress = 0x280", "BlasterInterrupt = 15", "BlasterDma8 = 3", "BlasterDma16 = 7",
                             "NumVoices = 4", "NumBits = 8", "NumChannels = 1", "MixRate = 8000"})
        EXPECT_TRUE(hasLine(line)) << line;
    viewMode()->setItemIndex(2);
    save();
    for (const char* line : {"ScreenMode = 1", "ScreenWidth = 800", "ScreenHeight = 600"})
        EXPECT_TRUE(hasLine(line)) << line;
}

TEST_F(VideoAudioSettings, UnexpectedValuesFallBackToTheirItems)
{
    load(with("ScreenWidth = 640", "ScreenWidth = 1024"));
    EXPECT_EQ(viewMode()->itemIndex(), 0);
    save();
    EXPECT_TRUE(hasLine("ScreenMode = 0") && hasLine("ScreenWidth = 320") && hasLine("ScreenHeight = 200"));

    struct Case {
        const char* line;
        const char* replacement;
        QComboBox* list;
        QString item;
    };
    const Case cases[] = {
        {"MixRate = 22000", "MixRate = 22050", audio().MixRate, "11 Khz"},
        {"MixRate = 22000", "MixRate = 44100", audio().MixRate, "11 Khz"},
        {"MixRate = 22000", "MixRate = 11000", audio().MixRate, "11 Khz"},
        {"BlasterAddress = 0x220", "BlasterAddress = 0X240", audio().Port, "0220 - 022F"},
        {"BlasterAddress = 0x220", "BlasterAddress = 240", audio().Port, "0220 - 022F"},
        {"BlasterAddress = 0x220", "BlasterAddress =", audio().Port, "0220 - 022F"},
        {"BlasterInterrupt = 5", "BlasterInterrupt = 5", audio().IRQ, "IRQ 05"},
        {"BlasterInterrupt = 5", "BlasterInterrupt = 9", audio().IRQ, "IRQ 05"},
        {"FXDevice = 0", "FXDevice = 13", audio().SFXCard, audio().SFXCard->itemText(0)},
        {"FXDevice = 0", "FXDevice = 99", audio().SFXCard, audio().SFXCard->itemText(0)},
        {"BlasterDma8 = 1", "BlasterDma8 = 2", audio().DMA8, "1"},
        {"BlasterDma16 = 5", "BlasterDma16 = $7", audio().DMA16, "7"},  // the runtime reads "$" as hexadecimal
        {"NumBits = 16", "NumBits = 12", audio().Mixing, "8 Bit Mixing"},
    };
    for (const Case& c : cases) {
        setItemIndex(c.list, -1);
        load(with(c.line, c.replacement));
        EXPECT_EQ(c.list->currentText(), c.item) << c.replacement;
    }
}

TEST_F(VideoAudioSettings, VoiceCountsOutsideTheListLeaveNoSelectionAndSaveZero)
{
    for (const char* voices : {"NumVoices = 0", "NumVoices = 9", "NumVoices = -2147483648"}) {
        setItemIndex(audio().NumVoices, 3);
        load(with("NumVoices = 8", voices));
        EXPECT_EQ(audio().NumVoices->currentIndex(), -1) << voices;
        save();
        EXPECT_TRUE(hasLine("NumVoices = 0")) << voices;
    }
    // Empty values keep the lists as they were; channels follow the same rule.
    setItemIndex(audio().NumVoices, 2);
    setItemIndex(audio().Channels, 0);
    load(with(with("NumVoices = 8", "NumVoices ="), "NumChannels = 2", ""));
    EXPECT_EQ(audio().NumVoices->currentIndex(), 2);
    EXPECT_EQ(audio().Channels->currentIndex(), 0);
    load(with("NumChannels = 2", "NumChannels = 3"));
    EXPECT_EQ(audio().Channels->currentIndex(), -1);
    save();
    EXPECT_TRUE(hasLine("NumChannels = 2"));
}

TEST_F(VideoAudioSettings, TheLoadedCardDecidesWhichListsAreEnabled)
{
    load(FullFile);  // FXDevice = 0: Sound Blaster
    EXPECT_EQ(audio().SFXCard->currentIndex(), 1);
    EXPECT_TRUE(audio().Port->isEnabled() && audio().MixRate->isEnabled());
    load(with("FXDevice = 0", "FXDevice = 13"));
    EXPECT_FALSE(audio().Port->isEnabled() || audio().MixRate->isEnabled());
    load(with("FXDevice = 0", "FXDevice = 6"));
    EXPECT_EQ(audio().SFXCard->currentIndex(), 2);
    EXPECT_TRUE(audio().IRQ->isEnabled());
}

TEST_F(VideoAudioSettings, AStrictKeyWithoutAnIntegerStopsTheLoadAtThatKey)
{
    EXPECT_EQ(loadError(with("ScreenWidth = 640", "")), "'' is not a valid integer value");
    EXPECT_EQ(loadError(with("ScreenWidth = 640", "ScreenWidth = 640 ; VGA")), "'640 ; VGA' is not a valid integer value");

    // The card is set, but the rule never runs: the lists keep their state.
    viewMode()->setItemIndex(0);
    EXPECT_EQ(loadError(with("MixRate = 22000", "MixRate = fast")), "'fast' is not a valid integer value");
    EXPECT_EQ(viewMode()->itemIndex(), 1);
    EXPECT_EQ(audio().SFXCard->currentIndex(), 1);
    EXPECT_FALSE(audio().Port->isEnabled());

    setItemIndex(audio().Mixing, 0);
    EXPECT_EQ(loadError(with("NumVoices = 8", "NumVoices = eight")), "'eight' is not a valid integer value");
    EXPECT_EQ(audio().Mixing->currentIndex(), 0);  // NumBits comes later
    EXPECT_EQ(loadError(with("NumChannels = 2", "NumChannels = 2.0")), "'2.0' is not a valid integer value");
    EXPECT_EQ(loadError(with("BlasterInterrupt = 5", "")), "'' is not a valid integer value");
    EXPECT_EQ(loadError(with("BlasterDma8 = 1", "")), "'' is not a valid integer value");
    EXPECT_EQ(loadError(with("BlasterDma16 = 5", "")), "'' is not a valid integer value");
    EXPECT_EQ(loadError(with("NumBits = 16", "")), "'' is not a valid integer value");
    EXPECT_EQ(loadError(with("FXDevice = 0", "")), "'' is not a valid integer value");
    // Text keys never fail.
    EXPECT_EQ(loadError(with("BlasterAddress = 0x220", "")), "");
}

TEST_F(VideoAudioSettings, FixedLinesAreAlwaysWrittenAndMissingKeysStayMissing)
{
    load(with(with(with(with("MusicDevice = 13", "MusicDevice = 5"), "FXVolume = 255", "FXVolume = 100"),
                   "MusicVolume = 0", "MusicVolume = 50"),
              "BlasterType = 6", "BlasterType = 1"));
    save();
    for (const char* line : {"MusicDevice = 13", "FXVolume = 255", "MusicVolume = 0", "BlasterType = 6"})
        EXPECT_TRUE(hasLine(line)) << line;

    const std::string sparse = "; only a few keys\r\nScreenWidth = 640\r\nFXDevice = 0\r\nBlasterInterrupt = 5\r\n"
                               "BlasterDMA8 = 1\r\nBlasterDMA16 = 5\r\nNumBits = 16\r\nMixRate = 22000\r\n";
    load(sparse);
    EXPECT_EQ(save(), "; only a few keys\r\nScreenWidth = 640\r\nFXDevice = 0\r\nBlasterInterrupt = 5\r\n"
                      "BlasterDma8 = 1\r\nBlasterDma16 = 5\r\nNumBits = 16\r\nMixRate = 22000\r\n");
}

TEST_F(VideoAudioSettings, HiddenKeysKeepTheirValuesInTheWrittenForm)
{
    std::string text = with(with("ScreenSize = 8", "ScreenSize =   7  "), "ReverseStereo = 0", "ReverseStereo =1");
    text = with(with(text, "SoundToggle = 1", "SoundToggle =  0"), "ScreenGamma = 2", "ScreenGamma=3");
    load(text);
    save();
    EXPECT_TRUE(hasLine("ScreenSize = 7"));
    EXPECT_TRUE(hasLine("ReverseStereo = 1"));
    EXPECT_TRUE(hasLine("SoundToggle = 0"));
    EXPECT_TRUE(hasLine("ScreenGamma=3"));  // no blank before "=": never replaced
}

TEST_F(VideoAudioSettings, NoSelectionWritesNoLine)
{
    load(FullFile);
    viewMode()->setItemIndex(-1);
    for (QComboBox* list : {audio().SFXCard, audio().Port, audio().IRQ, audio().DMA8, audio().DMA16, audio().MixRate})
        setItemIndex(list, -1);
    setItemIndex(audio().Mixing, -1);
    setItemIndex(audio().Channels, -1);
    config().Memo1.read(with(with(FullFile, "ScreenWidth = 640", "ScreenWidth = 1"), "FXDevice = 0", "FXDevice = 1"));
    save();
    for (const char* line : {"ScreenMode = 1", "ScreenWidth = 1", "ScreenHeight = 480", "FXDevice = 1",
                             "BlasterAddress = 0x220", "BlasterInterrupt = 5", "BlasterDma8 = 1", "BlasterDma16 = 5",
                             "MixRate = 22000", "NumBits = 16", "NumChannels = 2"})
        EXPECT_TRUE(hasLine(line)) << line;
}
