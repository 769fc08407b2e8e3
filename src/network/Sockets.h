#pragma once
// The few things the launcher asks of the network, alike on POSIX systems
// and on Windows: whether a port is free, this computer's address and its
// gateway, and one question and answer over UDP. IPv4 only: DOSBox's network
// knows no other.

#include "network/Router.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace sockets {

using Deadline = std::chrono::steady_clock::time_point;

// Makes sockets usable in this process; Windows needs it once. Every call
// below makes it itself.
void start();

// Whether DOSBox could open `port` of `protocol` on all addresses now: no
// other program holds it (for TCP, listens on it).
bool portFree(Protocol protocol, int port);

// The address this computer sends from toward `destination` (an IPv4
// address); empty where it has no route there.
std::string localAddressToward(const std::string& destination);
// This computer's address: the one it reaches the internet from, else the
// first IPv4 address of its network interfaces that is not its own loopback.
// Empty where it has none.
std::string localAddress();
// The gateway this computer sends to for the internet; empty where it has
// none (or the system does not tell).
std::string defaultGateway();

// Sends `request` over UDP to `address`:`port` and waits until `deadline`
// for an answer from there that `isAnswer` takes, sending the request again
// after 250 ms, then 500 ms, and so on. Nothing where none came, or the
// other side refused (no program listens there).
std::optional<std::string> ask(const std::string& address, int port, const std::string& request, Deadline deadline,
                               const std::function<bool(const std::string&)>& isAnswer);

}  // namespace sockets
