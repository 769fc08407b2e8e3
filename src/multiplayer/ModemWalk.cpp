#include "multiplayer/ModemWalk.h"

#include <algorithm>
#include <cstdio>

namespace modemwalk {

namespace {
std::string numberedKey(int number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", number);
    return std::string(ModemClassKey) + digits;
}

// A value as text, or nothing when it cannot be read into the fixed space.
std::optional<std::string> readValue(Registry& registry, Registry::Key key, const char* name)
{
    char data[ValueSpace] = {};
    unsigned long size = ValueSpace;
    if (registry.queryValue(key, name, data, &size) != Registry::Success)
        return std::nullopt;
    const std::size_t filled = size < ValueSpace ? size : ValueSpace;
    return std::string(data, std::find(data, data + filled, '\0'));
}

// The port number of "COM1" to "COM8", else 0.
int comPortNumber(const std::string& attachedTo)
{
    if (attachedTo.size() != 4 || attachedTo.find("COM") == std::string::npos)
        return 0;
    const int port = lenientInt(std::string_view(attachedTo).substr(3));
    return port >= 1 && port <= 8 ? port : 0;
}
}  // namespace

std::string modemKeyPath(int number) { return numberedKey(number) + "\\"; }

std::string initKeyPath(int number) { return numberedKey(number) + "\\Init"; }

int lenientInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483647)
            return 0;  // no port number is that long; the reading gives up
    }
    return int(value);
}

std::string removeFirstCrMarker(std::string text)
{
    const auto at = text.find("<cr>");
    if (at != std::string::npos)
        text.erase(at, 4);
    return text;
}

std::vector<Modem> findModems(Registry& registry)
{
    std::vector<Modem> found;
    // The first number that does not open ends the list, even with higher
    // numbers present: installed modems are numbered without gaps.
    for (int number = 0;; ++number) {
        Registry::Key key = 0;
        if (registry.openKey(Registry::LocalMachine, modemKeyPath(number), &key) != Registry::Success)
            break;
        const auto attachedTo = readValue(registry, key, "AttachedTo");
        if (attachedTo && comPortNumber(*attachedTo) != 0) {
            if (auto description = readValue(registry, key, "DriverDesc"))
                found.push_back({number, *description});
        }
        registry.closeKey(key);
    }
    return found;
}

std::optional<Setup> readSetup(Registry& registry, int number)
{
    Registry::Key key = 0;
    if (registry.openKey(Registry::LocalMachine, modemKeyPath(number), &key) != Registry::Success)
        return std::nullopt;
    const auto attachedTo = readValue(registry, key, "AttachedTo");
    registry.closeKey(key);
    if (!attachedTo)
        return std::nullopt;
    const std::string portText = attachedTo->size() > 3 ? attachedTo->substr(3) : std::string();

    Setup setup{lenientInt(portText) - 1, std::nullopt};
    // Without an Init key the port still applies and the init string stays.
    if (registry.openKey(Registry::LocalMachine, initKeyPath(number), &key) == Registry::Success) {
        auto init = readValue(registry, key, "2");
        if (!init)
            init = readValue(registry, key, "1");
        registry.closeKey(key);
        if (!init)
            return std::nullopt;
        setup.initString = removeFirstCrMarker(*init);
    }
    return setup;
}

}  // namespace modemwalk
