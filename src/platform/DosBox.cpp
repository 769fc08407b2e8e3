#include "platform/DosBox.h"

#include "core/Text.h"

#include <algorithm>

namespace dosbox {

namespace {
bool hasModem(const Network& network)
{
    return network.kind == Network::Kind::Modem && network.comPort >= 1 && network.comPort <= LastSerialPort;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number of at most `digits` digits, or -1.
int number(std::string_view text, std::size_t digits)
{
    if (text.empty() || text.size() > digits || !std::all_of(text.begin(), text.end(), isDigit))
        return -1;
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

// Four decimal numbers up to 255. A part with a leading zero is refused: the
// resolver would read it as octal and reach another computer.
bool isIpv4Address(std::string_view host)
{
    const auto parts = text::splitFields(host, '.');
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](std::string_view part) {
               const int value = number(part, 3);
               return value >= 0 && value <= 255 && (part.size() == 1 || part[0] != '0');
           });
}

// Labels of letters, digits and inner hyphens, at most 63 characters each
// and 253 in all. One whose labels are all digits is an address or nothing.
bool isHostName(std::string_view host)
{
    if (host.empty() || host.size() > 253)
        return false;
    const auto labels = text::splitFields(host, '.');
    const bool labelsValid = std::all_of(labels.begin(), labels.end(), [](std::string_view label) {
        return !label.empty() && label.size() <= 63 && label.front() != '-' && label.back() != '-' &&
               std::all_of(label.begin(), label.end(), [](char c) {
                   return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-';
               });
    });
    const bool allDigits = std::all_of(labels.begin(), labels.end(), [](std::string_view label) {
        return std::all_of(label.begin(), label.end(), isDigit);
    });
    return labelsValid && !allDigits;
}
}  // namespace

std::string configuration(const Network& network)
{
    const std::string heading = "# The Vornhale launcher's network settings, written anew at every network game.\n";
    switch (network.kind) {
    case Network::Kind::IpxHost:
    case Network::Kind::IpxJoin:
        return heading + "[ipx]\nipx=true\n";
    case Network::Kind::Modem:
        if (!hasModem(network))
            return {};
        return heading + "[serial]\nserial" + std::to_string(network.comPort) +
               "=modem listenport:" + std::to_string(network.port) + "\n";
    case Network::Kind::None:
        break;
    }
    return {};
}

std::string configurationName(const Network& network)
{
    if (hasModem(network))
        return "dosbox-modem-com" + std::to_string(network.comPort) + "-" + std::to_string(network.port) + ".conf";
    if (network.kind == Network::Kind::IpxHost || network.kind == Network::Kind::IpxJoin)
        return "dosbox-ipx.conf";
    return {};
}

std::vector<std::string> commands(const Network& network)
{
    switch (network.kind) {
    case Network::Kind::IpxHost:
        return {"IPXNET STARTSERVER " + std::to_string(network.port)};
    case Network::Kind::IpxJoin:
        return {"IPXNET CONNECT " + network.host + " " + std::to_string(network.port)};
    case Network::Kind::Modem:
    case Network::Kind::None:
        break;
    }
    return {};
}

std::vector<std::string> arguments(const std::string& program, const Setup& setup)
{
    std::vector<std::string> result;
    // DOSBox reads the player's own configuration only when no other is
    // named, unless told to with -userconf; what comes later wins.
    if (!setup.configurationFile.empty())
        result = {"-userconf", "-conf", setup.configurationFile};
    // Commands given with -c run after every configuration's own start-up
    // commands and before the program.
    for (const std::string& command : setup.commands) {
        result.push_back("-c");
        result.push_back(command);
    }
    result.push_back(program);
    result.push_back("-exit");
    return result;
}

Address parseAddress(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);

    Address address;
    if (text.empty()) {
        address.problem = "Type the address of the computer that hosts the game.";
        return address;
    }
    std::string_view host = text;
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
        host = text.substr(0, colon);
        address.port = number(text.substr(colon + 1), 5);
        if (address.port < 1 || address.port > 65535) {
            address.problem = "The port after the colon must be a number from 1 to 65535.";
            return address;
        }
    }
    if (!isIpv4Address(host) && !isHostName(host)) {
        address.problem = "\"" + std::string(host) + "\" is not a host name or an IPv4 address.";
        return address;
    }
    address.host = std::string(host);
    return address;
}

}  // namespace dosbox
