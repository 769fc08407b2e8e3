#pragma once
// NAT-PMP, the simpler of the two ways a home router forwards ports on
// request: a question of a few bytes over UDP to the gateway's port 5351.

#include "network/Deadline.h"
#include "network/Port.h"
#include "network/Router.h"

#include <chrono>
#include <optional>
#include <string>

namespace natpmp {

constexpr int ServerPort = 5351;

struct Answer {
    int result = 0;               // 0: done; else one of the codes refusal() tells
    std::string externalAddress;  // the router's on the internet, asked for
    int externalPort = 0;         // the port it forwards, asked for
    std::chrono::seconds lifetime{0};
};

// The router's address on the internet; nothing where no router answered
// NAT-PMP version 0 at `gateway` by `deadline`.
std::optional<Answer> externalAddress(const std::string& gateway, int serverPort, network::Deadline deadline);
// Asks for `port` of this computer to be forwarded from `externalPort` for
// `lifetime`; a lifetime of 0 with an external port of 0 takes the
// forwarding back.
std::optional<Answer> map(const std::string& gateway, int serverPort, Port port, int externalPort,
                          std::chrono::seconds lifetime, network::Deadline deadline);
// A result code as the launcher tells it.
Router::Refusal refusal(int result);
// Result 1: the router speaks another version, so it is no NAT-PMP router
// the launcher can ask.
constexpr int UnsupportedVersion = 1;

}  // namespace natpmp
