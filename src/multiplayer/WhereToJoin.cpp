#include "multiplayer/WhereToJoin.h"

namespace wheretojoin {

namespace {
std::string joinAt(const Game& game, const std::string& address, int port)
{
    return game.portAlwaysShown || port != game.port.number ? address + ":" + std::to_string(port) : address;
}

// "4 hours", "1 hour", "20 minutes": how long a forwarding lasts.
std::string duration(std::chrono::seconds lease)
{
    const auto count = lease.count();
    const auto [amount, unit] = count % 3600 == 0 ? std::pair{count / 3600, "hour"}
                                : count >= 60     ? std::pair{count / 60, "minute"}
                                                  : std::pair{count, "second"};
    return std::to_string(amount) + " " + unit + (amount == 1 ? "" : "s");
}

// What the router forwards, as the player reads it.
std::string forwardedText(const Game& game, const Router::Forwarded& forwarded)
{
    const std::string lease = duration(forwarded.lease.count() > 0 ? forwarded.lease : Lease);
    if (forwarded.externalPort == game.port.number)
        return "Your router forwards " + portText(game.port) + " to this computer for " + lease + ".";
    return "Your router forwards its port " + std::to_string(forwarded.externalPort) + " to this computer's " +
           portText(game.port) + " for " + lease + ".";
}

// Why the router refused, in plain words; empty where it did not say.
std::string refusalText(const Router::Forwarded& forwarded)
{
    using Refusal = Router::Refusal;
    switch (forwarded.refusal) {
    case Refusal::None:
        return "";
    case Refusal::NotAllowed:
        return "it does not let this computer ask";
    case Refusal::PortTaken:
        return "the port is forwarded to another computer already";
    case Refusal::ForGood:
        return "it forwards ports only for good, which the launcher never leaves behind";
    case Refusal::NoPortLeft:
        return "it has no port left to give";
    case Refusal::HeldBySetting:
        return "the port is held by another of its settings";
    case Refusal::NotConnected:
        return "it is not connected to the internet";
    case Refusal::OtherVersion:
        return "it speaks another version of NAT-PMP";
    case Refusal::UnknownRequest:
        return "it does not know this request";
    case Refusal::Unusable:
        return "it gave no usable answer";
    case Refusal::Silent:
        return "it gave no answer";
    case Refusal::Late:
        return "it gave no answer in time";
    case Refusal::NoRouter:
        return "no router answered";
    case Refusal::UpnpError:
        return "UPnP error " + std::to_string(forwarded.code);
    case Refusal::NatPmpResult:
        return "NAT-PMP result " + std::to_string(forwarded.code);
    }
    return "";
}

// Where the router's own address is no internet address, friends reach the
// game only through the router in front of it: it must forward the port the
// player's router forwards, to that router.
std::string behindAnother(const Game& game, const Router::Found& found, const Answers& answers, Reach reach)
{
    const std::string& external = found.externalAddress;
    const Port outer{game.port.protocol,
                     answers.forwarded ? answers.forwarded->externalPort : game.port.number};
    std::string said = answers.forwarded ? forwardedText(game, *answers.forwarded) + " " : std::string();
    if (reach == Reach::Shared)
        return said + "Your router's address on the internet, " + external +
               ", is shared: your internet provider shares one address among many customers. Friends on the "
               "internet cannot reach this game without help outside the launcher, such as an address of your "
               "own from the provider.";
    if (reach == Reach::Private)
        return said + "Your router's address on the internet, " + external +
               ", is a private one: another router sits in front of it. Friends on the internet cannot reach this "
               "game unless that router forwards " +
               portText(outer) + " to your router (" + external + ") too, which the launcher cannot ask it for.";
    return said + "Your router does not tell its address on the internet: it may not be connected. Friends at "
                  "home can join.";
}
}  // namespace

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
    panel.home = local.empty() ? "unknown" : joinAt(game, local, game.port.number);
    panel.copied = local.empty() ? "" : panel.home;
    panel.internet = "none (see below)";

    if (found.mapping == Router::Found::Mapping::None) {
        panel.internet = "unknown";
        panel.explanation = "No router answered the launcher (UPnP or NAT-PMP). For friends on the internet, forward " +
                            portText(game.port) + " to " + thisComputer +
                            " in your router's settings, and tell them your router's address on the internet.";
        return panel;
    }
    // Another device than the gateway answered: the player learns which.
    const std::string device =
        found.otherDevice.empty() ? "" : "The device at " + found.otherDevice + " answered as your router. ";
    const Reach reach = reachOf(external);
    if (answers.forwarded && answers.forwarded->externalPort == 0) {
        const std::string why = refusalText(*answers.forwarded);
        panel.holdStart = true;
        panel.explanation = device + "Your router refused to forward " + portText(game.port) +
                            (why.empty() ? "" : ": " + why) + ". For friends on the internet, forward it to " +
                            thisComputer + " in the router's settings. " + game.startButton +
                            " hosts the game for friends at home.";
        if (reach == Reach::Internet)
            return panel;
        panel.internet = reach == Reach::Nobody ? "unknown" : panel.internet;
        return panel;
    }
    const bool otherPort = answers.forwarded && answers.forwarded->externalPort != game.port.number;
    if (reach != Reach::Internet) {
        panel.internet = reach == Reach::Nobody ? "unknown" : panel.internet;
        panel.explanation = device + behindAnother(game, found, answers, reach);
        panel.holdStart = otherPort;
        return panel;
    }
    if (!answers.forwarded) {
        panel.internet = panel.copied = joinAt(game, external, game.port.number);
        panel.explanation = device + "Hosting asks your router to forward " + portText(game.port) +
                            " to this computer for " + duration(Lease) + ".";
        return panel;
    }
    panel.internet = panel.copied = joinAt(game, external, answers.forwarded->externalPort);
    panel.explanation = device + forwardedText(game, *answers.forwarded);
    if (otherPort) {
        panel.holdStart = true;
        panel.explanation.pop_back();
        panel.explanation += ": friends on the internet join at " + panel.internet + ". " + game.startButton +
                             " hosts the game.";
    }
    return panel;
}

std::string portInUse(Port port)
{
    return "Port " + std::to_string(port.number) + " (" + protocolName(port.protocol) +
           ") is in use by another program on this computer, perhaps a DOSBox still running. Close it, then try "
           "again.";
}

std::string asking(const Game& game) { return "Asking your router to forward " + portText(game.port) + "..."; }

}  // namespace wheretojoin
