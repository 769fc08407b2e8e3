#pragma once
// The few things the launcher asks of the network, alike on POSIX systems
// and on Windows: whether a port is free, this computer's address and its
// gateway, and questions and answers over UDP. IPv4 only: DOSBox's network
// knows no other.

#include "network/Deadline.h"
#include "network/Port.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sockets {

using network::Deadline;

// Makes sockets usable in this process; Windows needs it once. Every call
// below makes it itself.
void start();

// Whether DOSBox could open `port` on all addresses now: no other program
// holds it (for TCP, listens on it).
bool portFree(Port port);

// The address this computer sends from toward `destination` (an IPv4
// address); empty where it has no route there.
std::string localAddressToward(const std::string& destination);
// This computer's address at home: the one on the default route; else the
// one toward `device` (a device that answered on the home network); else an
// address of its network interfaces, a home network's first. Empty where it
// has none.
std::string homeAddress(const std::string& device = {});
// The gateway this computer sends to for the internet; empty where it has
// none (or the system does not tell).
std::string defaultGateway();

// Sends `request` over UDP to `address`:`port` and waits until `deadline`
// for an answer from there that `isAnswer` takes, sending the request again
// after 250 ms, then 500 ms, and so on, a few times at most. Nothing where
// none came, or the other side refused (no program listens there).
std::optional<std::string> askOverUdp(const std::string& address, int port, const std::string& request,
                                      Deadline deadline, const std::function<bool(const std::string&)>& isAnswer);

// Sends `requests` over UDP from `from` (one of this computer's addresses,
// so they leave on that network only) to `address`:`port`, a group address
// included, and hands every answer that comes until `until` to `take`, with
// the address that sent it, until `take` returns true: it has what it needs.
void gather(const std::string& from, const std::string& address, int port, const std::vector<std::string>& requests,
            Deadline until, const std::function<bool(const std::string& answer, const std::string& sender)>& take);

// The system's halves (posix/, win32/).
namespace system {
// The IPv4 addresses of the network interfaces, loopback left out.
std::vector<std::string> interfaceAddresses();
}  // namespace system

}  // namespace sockets
