#pragma once
// Where friends join a game hosted on this computer, as the window that
// hosts it says it before the game starts: the address for friends on the
// internet (the home router's, once it forwards the game's port), the one
// for friends at home, and in plain words whatever stands in the way.

#include "network/Router.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace wheretojoin {

// How long the router keeps forwarding the port: the launcher ends when the
// game starts and cannot take the forwarding back, so it asks for a lease
// that outlasts an evening's games. The next host renews it.
inline constexpr std::chrono::hours Lease{4};

// Who can reach an IPv4 address.
enum class Reach {
    Internet,  // anyone on the internet
    Private,   // a home or company network's own (10/8, 172.16/12, 192.168/16)
    Shared,    // an internet provider's, shared among its customers (100.64/10)
    Nobody,    // no address to join at: not an address, this computer's own, unset, ...
};
Reach reachOf(std::string_view address);

// The game hosted here.
struct Game {
    Protocol protocol = Protocol::Udp;
    int port = 0;
    // A modem's phone number is always the address with its port; an IPX
    // server's address has a port only where it is not the usual one.
    bool portAlwaysShown = false;
    // The button that starts the game, named where the player may start it
    // whatever the router said.
    std::string startButton;
};

// What the router has said so far.
struct Answers {
    std::optional<Router::Found> found;          // none while it is looked for
    std::optional<Router::Forwarded> forwarded;  // none until the player hosts
};

// What the window shows.
struct Panel {
    std::string internet;     // where friends on the internet join
    std::string home;         // where friends at home join
    std::string explanation;  // empty where nothing needs saying
    std::string copied;       // what Copy puts on the clipboard; empty: nothing
    // The router's answer to hosting changed where friends join or whether
    // they can: the player reads it before the game starts.
    bool holdStart = false;
};
Panel describe(const Game& game, const Answers& answers);

// Why a game cannot be hosted while another program holds its port.
std::string portInUse(Protocol protocol, int port);

}  // namespace wheretojoin
