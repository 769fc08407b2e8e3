#pragma once
// The audio keys' rows: which value of the settings file stands for which
// item of the audio dialog's lists. The dialog's load and save read them, and
// so does what tells DOSBox which Sound Blaster the game expects.

#include "settings/ListSetting.h"

namespace settings::audio {
extern const ListSetting FXDevice;
extern const ListSetting BlasterAddress;
extern const ListSetting BlasterInterrupt;
extern const ListSetting BlasterDma8;
extern const ListSetting BlasterDma16;
extern const ListSetting NumVoices;
extern const ListSetting NumChannels;
extern const ListSetting NumBits;
extern const ListSetting MixRate;
}  // namespace settings::audio
