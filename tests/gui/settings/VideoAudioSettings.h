#pragma once
// The video and audio groups' load and save steps on their own, over the
// settings store's lines.

#include "GuiTest.h"

#include "components/ListIndex.h"
#include "components/RadioGroup.h"
#include "dialogs/_audiosetup.h"
#include "dialogs/_videomode.h"
#include "settings/_config.h"
#include "settings/groups.h"
#include "ui__audiosetup.h"
#include "ui__videomode.h"

#include <QCheckBox>
#include <QComboBox>

#include <string>

// Every key of the two groups, in the launcher's written form.
inline const std::string FullFile =
    "[Video]\r\nScreenMode = 1\r\nScreenWidth = 640\r\nScreenHeight = 480\r\nScreenSize = 8\r\nScreenGamma = 2\r\n"
    "[Sound]\r\nFXDevice = 0\r\nMusicDevice = 13\r\nFXVolume = 255\r\nMusicVolume = 0\r\nSoundToggle = 1\r\n"
    "MusicToggle = 1\r\nNumVoices = 8\r\nNumChannels = 2\r\nNumBits = 16\r\nMixRate = 22000\r\nReverseStereo = 0\r\n"
    "BlasterAddress = 0x220\r\nBlasterType = 6\r\nBlasterInterrupt = 5\r\nBlasterDma8 = 1\r\nBlasterDma16 = 5\r\n";

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
