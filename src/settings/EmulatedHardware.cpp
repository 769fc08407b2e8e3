#include "settings/EmulatedHardware.h"

#include "core/Errors.h"
#include "core/Text.h"
#include "settings/AudioSettings.h"

#include <algorithm>
#include <string>

namespace settings {

namespace {
// The item the file's value selects in the list of `setting`, or nothing
// where the file names none.
std::optional<int> item(const LineBuffer& lines, const ListSetting& setting)
{
    const std::string value = lines.getSetting(setting.key);
    if (value.empty())
        return std::nullopt;
    try {
        const std::optional<int> index = itemFor(setting, value);
        if (index && *index >= 0)
            return index;
    } catch (const LauncherError&) {
    }
    return std::nullopt;
}

// The number the list item stands for ("0x240" is 576, "10" is 10).
std::optional<int> itemValue(const LineBuffer& lines, const ListSetting& setting)
{
    const auto index = item(lines, setting);
    if (!index)
        return std::nullopt;
    return std::stoi(setting.values[std::size_t(*index)], nullptr, 0);
}

std::optional<int> integer(const std::string& value)
{
    try {
        return value.empty() ? std::nullopt : std::optional<int>(strToInt(value));
    } catch (const LauncherError&) {
        return std::nullopt;
    }
}

// The control method's item that plays with a joystick.
constexpr int KeyboardAndJoystick = 2;
}  // namespace

dosbox::Hardware emulatedHardware(const LineBuffer& lines)
{
    dosbox::Hardware hardware;
    // Both cards the game knows are a Sound Blaster 16 to DOSBox.
    if (const auto card = item(lines, audio::FXDevice); card && *card != 0) {
        hardware.soundBlaster = dosbox::Hardware::SoundBlaster{
            itemValue(lines, audio::BlasterAddress), itemValue(lines, audio::BlasterInterrupt),
            itemValue(lines, audio::BlasterDma8), itemValue(lines, audio::BlasterDma16)};
    }
    // The misc dialog clamps the method into its three items. With a
    // joystick, DOSBox's own choice of one stands.
    if (const auto method = integer(lines.getSetting("ControllerType"));
        method && std::clamp(*method, -1, KeyboardAndJoystick) != KeyboardAndJoystick)
        hardware.joystick = false;
    // As the audio dialog reads it: only "0" turns the CD's music off.
    hardware.cdAudio = lines.getSetting("MusicToggle") != "0";
    // "~" is no IRQ of the player's; any other text is what the IRQ field shows.
    hardware.modemIrq = text::decimal(lines.getSetting("IRQNUMBER"), 2);
    return hardware;
}

}  // namespace settings
