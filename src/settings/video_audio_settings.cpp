// Video and audio settings: the video mode and audio dialogs' controls, and
// the CDA.DAT marker that tells the game to play CD audio.
#include "settings/groups.h"

#include "app/Forms.h"
#include "components/FixedDialog.h"
#include "components/RadioGroup.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_videomode.h"
#include "platform/Platform.h"
#include "settings/SettingsLines.h"
#include "settings/_config.h"
#include "ui__audiosetup.h"
#include "ui__videomode.h"

#include <QCheckBox>
#include <QComboBox>

#include <string>

namespace settings {

namespace {
constexpr const char* MarkerFile = "CDA.DAT";

int strictInt(const Tconfig& config, const char* key) { return strToInt(config.GetSetting(key)); }

// "Skipped when empty" keys move the list only when the file gives a value;
// the value is one more than the item, with no range check, so an odd count
// leaves the list without a selection.
void loadCount(const Tconfig& config, const char* key, QComboBox* list)
{
    const std::string value = config.GetSetting(key);
    if (value.empty())
        return;
    const long long index = static_cast<long long>(strToInt(value)) - 1;
    setItemIndex(list, index >= 0 && index < list->count() ? int(index) : -1);
}

// The line for the list's selected item; no selection writes nothing.
void replaceByItem(Tconfig& config, const QComboBox* list, std::initializer_list<const char*> lines)
{
    const int index = list->currentIndex();
    if (index >= 0 && index < int(lines.size()))
        config.ReplaceSetting(*(lines.begin() + index));
}
}  // namespace

void loadVideo(Tconfig& config, Forms& forms)
{
    // ScreenMode and ScreenHeight follow from the width, so they are not read.
    const int width = strictInt(config, "ScreenWidth");
    forms.videomode->ui->ViewMode->setItemIndex(width == 640 ? 1 : width == 800 ? 2 : 0);
}

void loadAudio(Tconfig& config, Forms& forms)
{
    Ui::TAudioSetup& ui = *forms.audiosetup->ui;

    const int device = strictInt(config, "FXDevice");
    setItemIndex(ui.SFXCard, device == 0 ? 1 : device == 6 ? 2 : 0);

    // The address is matched as text, exactly as the game writes it.
    const std::string address = config.GetSetting("BlasterAddress");
    int port = 1;
    if (address == "0x210")
        port = 0;
    else if (address == "0x230")
        port = 2;
    else if (address == "0x240")
        port = 3;
    else if (address == "0x250")
        port = 4;
    else if (address == "0x260")
        port = 5;
    else if (address == "0x280")
        port = 6;
    setItemIndex(ui.Port, port);

    switch (strictInt(config, "BlasterInterrupt")) {
    case 2: setItemIndex(ui.IRQ, 0); break;
    case 3: setItemIndex(ui.IRQ, 1); break;
    case 7: setItemIndex(ui.IRQ, 3); break;
    case 10: setItemIndex(ui.IRQ, 4); break;
    case 11: setItemIndex(ui.IRQ, 5); break;
    case 12: setItemIndex(ui.IRQ, 6); break;
    case 15: setItemIndex(ui.IRQ, 7); break;
    default: setItemIndex(ui.IRQ, 2); break;
    }

    const int dma8 = strictInt(config, "BlasterDMA8");
    setItemIndex(ui.DMA8, dma8 == 0 ? 0 : dma8 == 3 ? 2 : 1);
    const int dma16 = strictInt(config, "BlasterDMA16");
    setItemIndex(ui.DMA16, dma16 == 6 ? 1 : dma16 == 7 ? 2 : 0);

    loadCount(config, "NumVoices", ui.NumVoices);
    setItemIndex(ui.Mixing, strictInt(config, "NumBits") == 16 ? 1 : 0);
    loadCount(config, "NumChannels", ui.Channels);

    switch (strictInt(config, "MixRate")) {
    case 8000: setItemIndex(ui.MixRate, 0); break;
    case 16000: setItemIndex(ui.MixRate, 2); break;
    case 22000: setItemIndex(ui.MixRate, 3); break;
    case 44000: setItemIndex(ui.MixRate, 4); break;
    default: setItemIndex(ui.MixRate, 1); break;
    }

    // The card was set from code, which runs no handler of the dialog.
    forms.audiosetup->UpdateCardControls();

    ui.DisableCDAudio->setChecked(config.GetSetting("MusicToggle") == "0");
}

void saveVideo(Tconfig& config, Forms& forms)
{
    switch (forms.videomode->ui->ViewMode->itemIndex()) {
    case 0:
        config.ReplaceSetting("ScreenMode = 0");
        config.ReplaceSetting("ScreenWidth = 320");
        config.ReplaceSetting("ScreenHeight = 200");
        break;
    case 1:
        config.ReplaceSetting("ScreenMode = 1");
        config.ReplaceSetting("ScreenWidth = 640");
        config.ReplaceSetting("ScreenHeight = 480");
        break;
    case 2:
        config.ReplaceSetting("ScreenMode = 1");
        config.ReplaceSetting("ScreenWidth = 800");
        config.ReplaceSetting("ScreenHeight = 600");
        break;
    default:
        break;
    }
    // No control shows these; they are only brought to the written form.
    config.RewriteSetting("ScreenSize");
    config.RewriteSetting("ScreenGamma");
}

void saveAudio(Tconfig& config, Forms& forms)
{
    Ui::TAudioSetup& ui = *forms.audiosetup->ui;
    Platform& platform = forms.platform;

    replaceByItem(config, ui.SFXCard, {"FXDevice = 13", "FXDevice = 0", "FXDevice = 6"});

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

    config.ReplaceSetting("NumVoices = " + std::to_string(ui.NumVoices->currentIndex() + 1));
    config.ReplaceSetting(ui.Channels->currentIndex() == 0 ? "NumChannels = 1" : "NumChannels = 2");
    config.ReplaceSetting(ui.Mixing->currentIndex() == 0 ? "NumBits = 8" : "NumBits = 16");
    replaceByItem(config, ui.MixRate,
                  {"MixRate = 8000", "MixRate = 11000", "MixRate = 16000", "MixRate = 22000", "MixRate = 44000"});
    replaceByItem(config, ui.Port,
                  {"BlasterAddress = 0x210", "BlasterAddress = 0x220", "BlasterAddress = 0x230",
                   "BlasterAddress = 0x240", "BlasterAddress = 0x250", "BlasterAddress = 0x260",
                   "BlasterAddress = 0x280"});
    config.ReplaceSetting("BlasterType = 6");
    replaceByItem(config, ui.IRQ,
                  {"BlasterInterrupt = 2", "BlasterInterrupt = 3", "BlasterInterrupt = 5", "BlasterInterrupt = 7",
                   "BlasterInterrupt = 10", "BlasterInterrupt = 11", "BlasterInterrupt = 12",
                   "BlasterInterrupt = 15"});
    replaceByItem(config, ui.DMA8, {"BlasterDma8 = 0", "BlasterDma8 = 1", "BlasterDma8 = 3"});
    replaceByItem(config, ui.DMA16, {"BlasterDma16 = 5", "BlasterDma16 = 6", "BlasterDma16 = 7"});

    config.RewriteSetting("ReverseStereo");
    config.RewriteSetting("SoundToggle");
    config.RewriteSetting("MusicToggle");
}

}  // namespace settings
