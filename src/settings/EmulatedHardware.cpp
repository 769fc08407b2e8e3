#include "settings/EmulatedHardware.h"

#include "core/Errors.h"
#include "core/Text.h"
#include "settings/AudioSettings.h"

#include <algorithm>
#include <cstdio>
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

// The number the file's value stands for ("0x240" and "0X240" are 576,
// "10" is 10), or nothing.
std::optional<int> written(const LineBuffer& lines, const ListSetting& setting)
{
    const std::string value = lines.getSetting(setting.key);
    const bool hex = value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
    if (value.empty() || value.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789", hex ? 2 : 0) !=
                             std::string::npos || value.size() > 6)
        return std::nullopt;
    return std::stoi(value, nullptr, hex ? 16 : 10);
}

// The number the list item stands for, or, for a value the list cannot show
// ("BlasterInterrupt = 9"), the value itself where DOSBox can emulate it.
std::optional<int> shownNumber(const LineBuffer& lines, const ListSetting& setting)
{
    const auto index = item(lines, setting);
    return index ? std::optional<int>(std::stoi(setting.values[std::size_t(*index)], nullptr, 0)) : std::nullopt;
}

std::optional<int> emulatedValue(const LineBuffer& lines, const ListSetting& setting, bool (*emulates)(int))
{
    const std::optional<int> shown = shownNumber(lines, setting);
    if (const auto value = written(lines, setting); value && value != shown && emulates(*value))
        return value;
    return shown;
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

std::string unemulatedNote(const LineBuffer& lines)
{
    struct Part {
        const ListSetting& setting;
        bool (*emulates)(int);
        const char* name;
        const char* format;
    };
    const Part parts[] = {{audio::BlasterAddress, dosbox::emulatesSoundBlasterAt, "port", "%04X"},
                          {audio::BlasterInterrupt, dosbox::emulatesSoundBlasterIrq, "IRQ", "%d"},
                          {audio::BlasterDma8, dosbox::emulatesSoundBlasterDma8, "8-bit DMA", "%d"},
                          {audio::BlasterDma16, dosbox::emulatesSoundBlasterDma16, "16-bit DMA", "%d"}};
    const auto card = item(lines, audio::FXDevice);
    for (const Part& part : parts) {
        const auto value = written(lines, part.setting);
        const auto shown = shownNumber(lines, part.setting);
        if (!card || *card == 0 || !value || !shown || value == shown || part.emulates(*value))
            continue;
        char was[16];
        std::snprintf(was, sizeof was, part.format, *value);
        return std::string("The settings file gives ") + part.name + " " + was +
               ", which DOSBox cannot emulate: DOSBox gets the " + part.name + " shown here, and a save writes it.";
    }
    return {};
}

dosbox::Hardware emulatedHardware(const LineBuffer& lines)
{
    dosbox::Hardware hardware;
    // Both cards the game knows are a Sound Blaster 16 to DOSBox.
    if (const auto card = item(lines, audio::FXDevice); card && *card != 0) {
        hardware.soundBlaster = dosbox::Hardware::SoundBlaster{
            emulatedValue(lines, audio::BlasterAddress, dosbox::emulatesSoundBlasterAt),
            emulatedValue(lines, audio::BlasterInterrupt, dosbox::emulatesSoundBlasterIrq),
            emulatedValue(lines, audio::BlasterDma8, dosbox::emulatesSoundBlasterDma8),
            emulatedValue(lines, audio::BlasterDma16, dosbox::emulatesSoundBlasterDma16)};
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
