#include "GuiTest.h"

#include "components/ListIndex.h"
#include "components/FixedDialog.h"
#include "components/RadioGroup.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_videomode.h"
#include "settings/_config.h"
#include "settings/groups.h"
#include "ui__audiosetup.h"
#include "ui__videomode.h"

#include <QCheckBox>
#include <QComboBox>

namespace {
// Every key of the two groups, in the launcher's written form.
const std::string FullFile =
    "[Video]\r\nScreenMode = 1\r\nScreenWidth = 640\r\nScreenHeight = 480\r\nScreenSize = 8\r\nScreenGamma = 2\r\n"
    "[Sound]\r\nFXDevice = 0\r\nMusicDevice = 13\r\nFXVolume = 255\r\nMusicVolume = 0\r\nSoundToggle = 1\r\n"
    "MusicToggle = 1\r\nNumVoices = 8\r\nNumChannels = 2\r\nNumBits = 16\r\nMixRate = 22000\r\nReverseStereo = 0\r\n"
    "BlasterAddress = 0x220\r\nBlasterType = 6\r\nBlasterInterrupt = 5\r\nBlasterDma8 = 1\r\nBlasterDma16 = 5\r\n";
}  // namespace

class VideoAudioSettings : public GuiTest {
protected:
    Tconfig& config() { return *forms->config; }
    Ui::TAudioSetup& audio() { return *forms->audiosetup->ui; }
    TRadioGroup* viewMode() { return forms->videomode->ui->ViewMode; }

    // Runs the two groups' load steps on `text` as the store's lines.
    void load(const std::string& text)
    {
        config().Memo1.read(text);
        settings::loadVideo(config(), *forms->videomode);
        settings::loadAudio(config(), *forms->audiosetup);
    }
    std::string save()
    {
        settings::saveVideo(config(), *forms->videomode);
        settings::saveAudio(config(), *forms->audiosetup, forms->platform);
        return config().Memo1.write();
    }
    // The text with one line swapped for another (or dropped, for "").
    static std::string with(std::string text, const std::string& line, const std::string& replacement)
    {
        const auto at = text.find(line + "\r\n");
        EXPECT_NE(at, std::string::npos) << line;
        text.replace(at, line.size() + 2, replacement.empty() ? "" : replacement + "\r\n");
        return text;
    }
    static std::string with(const std::string& line, const std::string& replacement)
    {
        return with(FullFile, line, replacement);
    }
    bool hasLine(const std::string& line) { return ("\r\n" + config().Memo1.write()).find("\r\n" + line + "\r\n") != std::string::npos; }
    std::string loadError(const std::string& text)
    {
        try {
            load(text);
        } catch (const LauncherError& e) {
            return e.what();
        }
        return "";
    }
};

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

    for (const char* rate : {"MixRate = 22050", "MixRate = 44100", "MixRate = 11000"}) {
        load(with("MixRate = 22000", rate));
        EXPECT_EQ(audio().MixRate->currentText(), "11 Khz") << rate;
    }
    for (const char* address : {"BlasterAddress = 0X240", "BlasterAddress = 240", "BlasterAddress ="}) {
        setItemIndex(audio().Port, 0);
        load(with("BlasterAddress = 0x220", address));
        EXPECT_EQ(audio().Port->currentText(), "0220 - 022F") << address;
    }
    for (const char* irq : {"BlasterInterrupt = 5", "BlasterInterrupt = 9"}) {
        setItemIndex(audio().IRQ, 0);
        load(with("BlasterInterrupt = 5", irq));
        EXPECT_EQ(audio().IRQ->currentText(), "IRQ 05") << irq;
    }
    load(with("FXDevice = 0", "FXDevice = 13"));
    EXPECT_EQ(audio().SFXCard->currentIndex(), 0);
    load(with("FXDevice = 0", "FXDevice = 99"));
    EXPECT_EQ(audio().SFXCard->currentIndex(), 0);
    load(with("BlasterDma8 = 1", "BlasterDma8 = 2"));
    EXPECT_EQ(audio().DMA8->currentText(), "1");
    load(with("BlasterDma16 = 5", "BlasterDma16 = $7"));  // the runtime reads "$" as hexadecimal
    EXPECT_EQ(audio().DMA16->currentText(), "7");
    load(with("NumBits = 16", "NumBits = 12"));
    EXPECT_EQ(audio().Mixing->currentText(), "8 Bit Mixing");
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
