#pragma once
// Where friends join a game hosted on this computer, as the window that
// hosts it says it before the game starts: the address for friends on the
// internet (the home router's, once it forwards the game's port), the one
// for friends at home, and in plain words whatever stands in the way.

#include "network/Ipv4.h"
#include "network/Router.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace wheretojoin {

// How long the router keeps forwarding the port: the launcher ends when the
// game starts and cannot take the forwarding back, so it asks for a lease
// that outlasts an evening's games. The next host renews it. A window closed
// without a game takes its forwarding back at once.
inline constexpr std::chrono::hours Lease{4};

using ipv4::Reach;
using ipv4::reachOf;

// The game hosted here.
struct Game {
    Port port;
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
std::string portInUse(Port port);
// What the window says while the router is asked to forward the game's port.
std::string asking(const Game& game);

}  // namespace wheretojoin
