// Video and audio settings: the video mode and audio dialogs' controls, and
// the CDA.DAT marker that tells the game to play CD audio.
#include "settings/groups.h"

#include "components/RadioGroup.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_videomode.h"
#include "platform/Platform.h"
#include "settings/AudioSettings.h"
#include "settings/ListControls.h"
#include "settings/_config.h"
#include "ui__audiosetup.h"
#include "ui__videomode.h"

#include <QCheckBox>
#include <QComboBox>

#include <string>

namespace settings {

namespace {
constexpr const char* MarkerFile = gamefiles::CdAudioOffMarker;
using namespace audio;

// The three video lines follow from the chosen mode; only the width is read.
const ListSetting ScreenMode{"ScreenMode", {"0", "1", "1"}};
const ListSetting ScreenWidth{"ScreenWidth", {"320", "640", "800"}};
const ListSetting ScreenHeight{"ScreenHeight", {"200", "480", "600"}};

}  // namespace

void loadVideo(Tconfig& config, Tvideomode& video) { loadList(config, ScreenWidth, video.ui->ViewMode); }

void loadAudio(Tconfig& config, TAudioSetup& audio)
{
    Ui::TAudioSetup& ui = *audio.ui;
    loadList(config, FXDevice, ui.SFXCard);
    loadList(config, BlasterAddress, ui.Port);
    loadList(config, BlasterInterrupt, ui.IRQ);
    loadList(config, BlasterDma8, ui.DMA8);
    loadList(config, BlasterDma16, ui.DMA16);
    loadList(config, NumVoices, ui.NumVoices);
    loadList(config, NumBits, ui.Mixing);
    loadList(config, NumChannels, ui.Channels);
    loadList(config, MixRate, ui.MixRate);

    // The card was set from code, which runs no handler of the dialog.
    audio.UpdateCardControls();

    ui.DisableCDAudio->setChecked(config.GetSetting("MusicToggle") == "0");
}

void saveVideo(Tconfig& config, Tvideomode& video)
{
    const int mode = video.ui->ViewMode->itemIndex();
    for (const ListSetting* setting : {&ScreenMode, &ScreenWidth, &ScreenHeight})
        saveList(config, *setting, mode);
    // No control shows these; they are only brought to the written form.
    config.RewriteSetting("ScreenSize");
    config.RewriteSetting("ScreenGamma");
}

void saveAudio(Tconfig& config, TAudioSetup& audio, Platform& platform)
{
    Ui::TAudioSetup& ui = *audio.ui;

    saveList(config, FXDevice, ui.SFXCard->currentIndex());

    // The game's music and volumes are fixed; the launcher offers no choice.
    config.ReplaceSetting("MusicDevice = 13");
    config.ReplaceSetting("FXVolume = 255");
    config.ReplaceSetting("MusicVolume = 0");

    // The game looks for CDA.DAT, not at MusicToggle, to decide on CD audio.
    // A marker that cannot be written stops the save before the settings
    // file is touched.
    if (ui.DisableCDAudio->isChecked()) {
        config.ReplaceSetting("MusicToggle = 0");
        if (platform.fileExists(MarkerFile))
            platform.removeFile(MarkerFile);  // a marker left behind is not reported
    } else {
        platform.writeDataFile(MarkerFile, std::string(1, '\0'));
        config.ReplaceSetting("MusicToggle = 1");
    }

    saveList(config, NumVoices, ui.NumVoices->currentIndex());
    saveList(config, NumChannels, ui.Channels->currentIndex());
    saveList(config, NumBits, ui.Mixing->currentIndex());
    saveList(config, MixRate, ui.MixRate->currentIndex());
    saveList(config, BlasterAddress, ui.Port->currentIndex());
    config.ReplaceSetting("BlasterType = 6");
    saveList(config, BlasterInterrupt, ui.IRQ->currentIndex());
    saveList(config, BlasterDma8, ui.DMA8->currentIndex());
    saveList(config, BlasterDma16, ui.DMA16->currentIndex());

    config.RewriteSetting("ReverseStereo");
    config.RewriteSetting("SoundToggle");
    config.RewriteSetting("MusicToggle");
}

}  // namespace settings
