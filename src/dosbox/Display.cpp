#include "dosbox/Display.h"

#include "core/Text.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>

namespace dosbox {

namespace {
struct Key {
    const char* section;
    const char* name;
    const char* defaultValue;
    bool isSwitch;  // true or false, however DOSBox spells it
};
// DOSBox 0.74's display keys and their defaults, the same on Linux and on
// Windows.
constexpr Key DisplayKeys[] = {
    {"sdl", "fullscreen", "false", true},
    {"sdl", "fullresolution", "original", false},
    {"sdl", "windowresolution", "original", false},
    {"sdl", "output", "surface", false},
    {"render", "aspect", "false", true},
    {"render", "scaler", "normal2x", false},
};

// DOSBox reads a switch as off for no word or one of these, on otherwise.
bool switchedOn(std::string_view value)
{
    const std::string word = text::lowerAscii(value.substr(0, value.find_first_of(" \t")));
    return !(word.empty() || word == "0" || word == "false" || word == "off" || word == "disabled");
}

// An output that scales the picture to any window size, on every DOSBox
// 0.74: SDL's software surface cannot, and Xvfb offers Mesa's software
// OpenGL where no graphics card does.
constexpr const char* ScalingOutput = "opengl";
}  // namespace

Screen windowSize(Screen screen)
{
    // A multiple of 4 x 3, so the shape is exact. The height leaves room
    // for the title bar and the desktop's panels; side by side there is only
    // the frame, so a 5:4 screen still gets a window of 85 % of its height.
    const int unit = std::min(screen.width * 95 / 100 / 4, screen.height * 85 / 100 / 3);
    return unit > 0 ? Screen{unit * 4, unit * 3} : Screen{};
}

std::vector<std::string> displayKeysSet(std::string_view configurations)
{
    std::map<std::string, std::string> last;  // "section.key" -> its last value
    std::string section;
    for (const std::string& line : text::splitLines(configurations)) {
        const std::string_view trimmed = text::trimControl(line);
        if (trimmed.empty() || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[') {
            section = text::lowerAscii(trimmed.substr(1, trimmed.find(']') - 1));
            continue;
        }
        const std::size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos)
            continue;
        last[section + "." + text::lowerAscii(text::trimControl(trimmed.substr(0, equals)))] =
            std::string(text::trimControl(trimmed.substr(equals + 1)));
    }
    std::vector<std::string> keys;
    for (const Key& key : DisplayKeys) {
        const auto found = last.find(std::string(key.section) + "." + key.name);
        if (found == last.end())
            continue;
        const bool differs = key.isSwitch ? switchedOn(found->second) != switchedOn(key.defaultValue)
                                          : text::lowerAscii(found->second) != key.defaultValue;
        if (differs)
            keys.push_back(key.name);
    }
    return keys;
}

std::string displayLines(const Display& display)
{
    if (display.choice == DisplayChoice::AsConfigured)
        return {};
    const std::vector<std::string> kept = display.choice == DisplayChoice::Unpicked
                                              ? displayKeysSet(display.playerConfigurations)
                                              : std::vector<std::string>();
    const bool full = display.choice == DisplayChoice::FullScreen;
    const Screen window = windowSize(display.screen);
    // Both sizes are written either way, so Alt+Enter in DOSBox switches
    // between two good pictures.
    const std::pair<const char*, std::string> values[] = {
        {"fullscreen", full ? "true" : "false"},
        {"fullresolution", "desktop"},
        {"windowresolution",
         window.width ? std::to_string(window.width) + "x" + std::to_string(window.height) : std::string()},
        {"output", ScalingOutput},
        // The game's modes shown at 4:3, whatever their own shape.
        {"aspect", "true"},
    };
    std::string lines;
    std::string section;
    for (const auto& [name, value] : values) {
        if (value.empty() || std::find(kept.begin(), kept.end(), name) != kept.end())
            continue;
        const auto key = std::find_if(std::begin(DisplayKeys), std::end(DisplayKeys),
                                      [&](const Key& k) { return std::string_view(k.name) == name; });
        if (section != key->section) {
            section = key->section;
            lines += "[" + section + "]\n";
        }
        lines += std::string(name) + "=" + value + "\n";
    }
    return lines;
}

}  // namespace dosbox
