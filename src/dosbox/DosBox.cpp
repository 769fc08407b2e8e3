#include "dosbox/DosBox.h"

#include "core/Text.h"
#include "network/Ipv4.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <utility>

namespace dosbox {

namespace {
bool hasModem(const Network& network)
{
    return network.kind == Network::Kind::Modem && emulatesSerialPort(network.comPort);
}

// Eight hexadecimal digits that differ wherever the texts do (FNV-1a:
// short, and the same on every system).
std::string hash(std::string_view text)
{
    std::uint32_t value = 2166136261u;
    for (unsigned char c : text)
        value = (value ^ c) * 16777619u;
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", unsigned(value));
    return digits;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// IRQ 2 as an AT has it: wired to line 9 of the second controller. DOSBox
// raises "2" on the first controller's line 2, which a DOS program that
// hooks INT 71h never sees; "9" reaches both kinds of program.
int atIrq(int irq) { return irq == 2 ? 9 : irq; }

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

bool emulatesSerialPort(int comPort) { return comPort >= 1 && comPort <= LastSerialPort; }

int serialPortAddress(int comPort)
{
    static constexpr int addresses[] = {0x3f8, 0x2f8, 0x3e8, 0x2e8};
    return emulatesSerialPort(comPort) ? addresses[comPort - 1] : 0;
}

bool emulatesSoundBlasterAt(int base)
{
    static constexpr int bases[] = {0x220, 0x240, 0x260, 0x280, 0x2a0, 0x2c0, 0x2e0, 0x300};
    return std::find(std::begin(bases), std::end(bases), base) != std::end(bases);
}

bool emulatesSoundBlasterIrq(int irq)
{
    return irq == 2 || irq == 3 || irq == 5 || irq == 7 || (irq >= 9 && irq <= 12) || irq == 15;
}

bool emulatesSoundBlasterDma8(int dma) { return dma == 0 || dma == 1 || dma == 3; }

bool emulatesSoundBlasterDma16(int dma) { return dma >= 5 && dma <= 7; }

std::string mountProblem(std::string_view folder)
{
    // A line break or another control character would end DOSBox's command
    // early and start one of its own.
    if (std::any_of(folder.begin(), folder.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return "DOSBox cannot open a folder whose name holds a line break or another control character";
    if (folder.find_first_of("\"%") != std::string_view::npos)
        return "DOSBox cannot open a folder whose name holds a double quote or a percent sign";
    if (folder.size() > 238)
        return "DOSBox cannot open a folder whose path is longer than 238 characters";
    return {};
}

std::string mountName(std::string_view folder)
{
    // 64 bits, so two folders never share a name in practice: a shared one
    // would show a DOSBox still running the other folder's files.
    return "game-" + text::fingerprint(folder);
}

Configuration configuration(const Network& network, const Hardware& hardware, const Display& display)
{
    std::string text = "# The Vornhale launcher's settings for DOSBox, written anew at every start.\n";
    if (const auto& card = hardware.soundBlaster) {
        // DOSBox's Gravis card sits at port 240 by default, where it would
        // hide a Sound Blaster put there; the game has no Gravis driver.
        text += "[gus]\ngus=false\n[sblaster]\nsbtype=sb16\n";
        // A port DOSBox cannot emulate would be taken for 0x220 without a
        // word; the card stays where the player's own configuration puts it.
        if (card->base && emulatesSoundBlasterAt(*card->base)) {
            char base[8];
            std::snprintf(base, sizeof base, "%x", *card->base);
            text += std::string("sbbase=") + base + "\n";
        }
        const std::pair<const char*, std::optional<int>> numbers[] = {
            {"irq", card->irq ? std::optional<int>(atIrq(*card->irq)) : std::nullopt},
            {"dma", card->dma},
            {"hdma", card->hdma}};
        for (const auto& [name, value] : numbers)
            if (value)
                text += std::string(name) + "=" + std::to_string(*value) + "\n";
    }
    if (hardware.joystick == false)
        text += "[joystick]\njoysticktype=none\n";

    std::string kind = "game";
    switch (network.kind) {
    case Network::Kind::IpxHost:
    case Network::Kind::IpxJoin:
        kind = "ipx";
        text += "[ipx]\nipx=true\n";
        break;
    case Network::Kind::Modem:
        kind = "modem";
        if (hasModem(network)) {
            text += "[serial]\nserial" + std::to_string(network.comPort) +
                    "=modem listenport:" + std::to_string(network.port);
            // DOSBox takes an interrupt from 2 to 15, and its port's own otherwise.
            if (hardware.modemIrq && *hardware.modemIrq >= 2 && *hardware.modemIrq <= 15)
                text += " irq:" + std::to_string(atIrq(*hardware.modemIrq));
            text += "\n";
        }
        break;
    case Network::Kind::None:
        break;
    }
    text += displayLines(display);
    return {"dosbox-" + kind + "-" + hash(text) + ".conf", text};
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

std::vector<std::string> arguments(const std::string& program, const Setup& setup,
                                   const std::string& localConfiguration)
{
    std::vector<std::string> result;
    // DOSBox reads the player's own configuration only when no other is
    // named, unless told to with -userconf; what comes later wins.
    for (const std::string& file : {localConfiguration, setup.configurationFile}) {
        if (file.empty())
            continue;
        if (result.empty())
            result.push_back("-userconf");
        result.push_back("-conf");
        result.push_back(file);
    }
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
    text = text::trimControl(text);
    Address address;
    if (text.empty()) {
        address.problem = "Type the address of the computer that hosts the game.";
        return address;
    }
    std::string_view host = text;
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
        host = text.substr(0, colon);
        const auto port = text::decimal(text.substr(colon + 1), 5);
        if (!port || *port < 1 || *port > 65535) {
            address.problem = "The port after the colon must be a number from 1 to 65535.";
            return address;
        }
        address.port = *port;
    }
    if (!ipv4::parse(host) && !isHostName(host)) {
        address.problem = "\"" + std::string(host) + "\" is not a host name or an IPv4 address.";
        return address;
    }
    address.host = std::string(host);
    return address;
}

}  // namespace dosbox
