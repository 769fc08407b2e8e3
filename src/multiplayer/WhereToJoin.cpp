#include "multiplayer/WhereToJoin.h"

#include "core/Text.h"

#include <algorithm>
#include <array>

namespace wheretojoin {

namespace {
// The four numbers of a dotted IPv4 address, or nothing.
std::optional<std::array<int, 4>> numbers(std::string_view address)
{
    const auto parts = text::splitFields(address, '.');
    if (parts.size() != 4)
        return std::nullopt;
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string& part = parts[i];
        if (part.empty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), [](char c) {
                return c >= '0' && c <= '9';
            }))
            return std::nullopt;
        values[i] = std::stoi(part);
        if (values[i] > 255)
            return std::nullopt;
    }
    return values;
}

std::string portText(const Game& game)
{
    return std::string(protocolName(game.protocol)) + " port " + std::to_string(game.port);
}

std::string joinAt(const Game& game, const std::string& address, int port)
{
    return game.portAlwaysShown || port != game.port ? address + ":" + std::to_string(port) : address;
}

std::string hours() { return std::to_string(Lease.count()) + " hours"; }
}  // namespace

Reach reachOf(std::string_view address)
{
    const auto n = numbers(address);
    if (!n)
        return Reach::Nobody;
    const int a = (*n)[0], b = (*n)[1];
    if (a == 10 || (a == 172 && b >= 16 && b <= 31) || (a == 192 && b == 168))
        return Reach::Private;
    if (a == 100 && b >= 64 && b <= 127)
        return Reach::Shared;
    // "This network", loopback, link-local (a computer that got no address),
    // multicast and reserved.
    if (a == 0 || a == 127 || (a == 169 && b == 254) || a >= 224)
        return Reach::Nobody;
    return Reach::Internet;
}

Panel describe(const Game& game, const Answers& answers)
{
    Panel panel;
    if (!answers.found) {
        panel.internet = "looking for your router...";
        return panel;
    }
    const Router::Found& found = *answers.found;
    const std::string& local = found.localAddress;
    const std::string& external = found.externalAddress;
    const std::string thisComputer = local.empty() ? "this computer" : "this computer (" + local + ")";
    panel.home = local.empty() ? "unknown" : joinAt(game, local, game.port);
    panel.copied = local.empty() ? "" : panel.home;
    panel.internet = "none (see below)";

    if (found.way == Router::Found::Way::None) {
        panel.internet = "unknown";
        panel.explanation = "No router answered the launcher (UPnP or NAT-PMP). For friends on the internet, forward " +
                            portText(game) + " to " + thisComputer +
                            " in your router's settings, and tell them your router's address on the internet.";
        return panel;
    }
    switch (reachOf(external)) {
    case Reach::Nobody:
        panel.internet = "unknown";
        panel.explanation = "Your router does not tell its address on the internet: it may not be connected. "
                            "Friends at home can join.";
        return panel;
    case Reach::Private:
        panel.explanation = "Your router's address on the internet, " + external +
                            ", is a private one: another router sits in front of it. Friends on the internet cannot "
                            "reach this game unless that router forwards " +
                            portText(game) + " too, which the launcher cannot ask it for.";
        return panel;
    case Reach::Shared:
        panel.explanation = "Your router's address on the internet, " + external +
                            ", is shared: your internet provider shares one address among many customers. Friends "
                            "on the internet cannot reach this game without help outside the launcher, such as an "
                            "address of your own from the provider.";
        return panel;
    case Reach::Internet:
        break;
    }
    if (!answers.forwarded) {
        panel.internet = panel.copied = joinAt(game, external, game.port);
        panel.explanation = "Hosting asks your router to forward " + portText(game) + " to this computer for " +
                            hours() + ".";
        return panel;
    }
    const Router::Forwarded& forwarded = *answers.forwarded;
    if (forwarded.externalPort == 0) {
        panel.holdStart = true;
        const std::string why = forwarded.problem.empty() ? "" : ": " + forwarded.problem;
        panel.explanation = "Your router refused to forward " + portText(game) + why +
                            ". For friends on the internet, forward it to " + thisComputer +
                            " in the router's settings. " + game.startButton + " hosts the game for friends at home.";
        return panel;
    }
    panel.internet = panel.copied = joinAt(game, external, forwarded.externalPort);
    if (forwarded.externalPort != game.port) {
        panel.holdStart = true;
        panel.explanation = "Your router forwards its port " + std::to_string(forwarded.externalPort) +
                            " to this computer's " + portText(game) + " for " + hours() +
                            ": friends on the internet join at " + panel.internet + ". " + game.startButton +
                            " hosts the game.";
        return panel;
    }
    panel.explanation = "Your router forwards " + portText(game) + " to this computer for " + hours() + ".";
    return panel;
}

std::string portInUse(Protocol protocol, int port)
{
    return "Port " + std::to_string(port) + " (" + protocolName(protocol) +
           ") is in use by another program on this computer, perhaps a DOSBox still running. Close it, then try "
           "again.";
}

}  // namespace wheretojoin
