#pragma once
// UPnP, the way most home routers forward ports on request: a search over
// UDP (SSDP) finds the devices on the home network, each describes itself
// over HTTP, and an internet gateway among them takes requests (SOAP, sent
// by miniupnpc). The calls block; the caller keeps their time limit.

#include "network/Deadline.h"
#include "network/Port.h"
#include "network/Router.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace upnp {

// Where the search goes: the group every UPnP device listens to.
struct SearchPlace {
    std::string address = "239.255.255.250";
    int port = 1900;
};

// The description addresses of the devices that answered a search sent from
// `from` until `until`, those on `gateway` first. The search ends early once
// the gateway answered.
std::vector<std::string> search(const std::string& from, const SearchPlace& place, const std::string& gateway,
                                network::Deadline until);

struct Gateway {
    std::string controlUrl, serviceType;
    std::string externalAddress;  // as it tells it; empty where it does not
};
// Reads the device's description and asks its address on the internet;
// nothing where it is no internet gateway.
std::optional<Gateway> describe(const std::string& descriptionUrl);

// The host of an address such as "http://10.0.0.1:5000/ctl".
std::string hostOf(const std::string& url);

struct Mapping {
    int externalPort = 0;  // 0: refused
    int code = 0;          // why, as a UPnP error code
    std::chrono::seconds lease{0};
};
// Asks to forward `port` to `internalClient`, from the same external port or
// one of the next few where another computer holds it. The lease granted is
// read back; a forwarding for good is taken back at once and refused.
Mapping add(const Gateway& gateway, Port port, const std::string& internalClient, std::chrono::seconds lease);
void remove(const Gateway& gateway, Port port, int externalPort);
// An error code as the launcher tells it.
Router::Refusal refusal(int code);
// What add() answers where the router would keep the forwarding for good.
constexpr int ForGood = 725;

}  // namespace upnp
