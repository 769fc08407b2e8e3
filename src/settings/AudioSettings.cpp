#include "settings/AudioSettings.h"

namespace settings::audio {
const ListSetting FXDevice{"FXDevice", {"13", "0", "6"}};
// The address is matched as text, exactly as the game writes it.
const ListSetting BlasterAddress{
    "BlasterAddress", {"0x210", "0x220", "0x230", "0x240", "0x250", "0x260", "0x280"}, 1, ListSetting::Read::Text};
const ListSetting BlasterInterrupt{"BlasterInterrupt", {"2", "3", "5", "7", "10", "11", "12", "15"}, 2};
const ListSetting BlasterDma8{"BlasterDma8", {"0", "1", "3"}, 1};
const ListSetting BlasterDma16{"BlasterDma16", {"5", "6", "7"}};
// The counts move the list only when the file gives a value, and a count
// outside the list leaves it without a selection, which is saved as below.
const ListSetting NumVoices{
    "NumVoices", {"1", "2", "3", "4", "5", "6", "7", "8"}, -1, ListSetting::Read::IntegerIfGiven, "0"};
const ListSetting NumChannels{"NumChannels", {"1", "2"}, -1, ListSetting::Read::IntegerIfGiven, "2"};
const ListSetting NumBits{"NumBits", {"8", "16"}, 0, ListSetting::Read::Integer, "16"};
const ListSetting MixRate{"MixRate", {"8000", "11000", "16000", "22000", "44000"}, 1};
}  // namespace settings::audio
