#pragma once
// The home router between this computer and the internet. A player who hosts
// a network game sits behind it: friends on the internet reach the game only
// where the router forwards the game's port to this computer. Most home
// routers do that on request (UPnP, or NAT-PMP), and tell their address on
// the internet, which is the address friends join at.
//
// Asking takes time (the router has a second or two to answer), so these
// calls block and are made on a thread of their own, never the windows'. Any
// thread may call them; calls made at once take turns.

#include <chrono>
#include <string>

enum class Protocol { Udp, Tcp };

inline const char* protocolName(Protocol protocol) { return protocol == Protocol::Udp ? "UDP" : "TCP"; }

class Router {
public:
    // What the look for the router found.
    struct Found {
        enum class Way {
            None,    // no router answered
            Upnp,    // a UPnP internet gateway
            NatPmp,  // a router answering NAT-PMP
        };
        Way way = Way::None;
        // This computer's address on the home network (IPv4); empty when it
        // has none.
        std::string localAddress;
        // The router's address on the internet as the router tells it;
        // empty where no router answered or it does not know its address.
        std::string externalAddress;
    };
    // What the router answered to a request to forward a port.
    struct Forwarded {
        int externalPort = 0;  // the port it forwards on the internet side; 0 where it refused
        std::string problem;   // why it refused, in plain words
    };

    virtual ~Router() = default;
    // Looks for the router, taking about `timeout` at most.
    virtual Found find(std::chrono::milliseconds timeout) = 0;
    // Asks the router that find() found to forward `port` of `protocol` on
    // its internet side to the same port of this computer, for `lease`: the
    // router drops the forwarding once the lease ends. A port already
    // forwarded to another computer is asked for one of the next ports. A
    // request for a port this computer holds already renews its lease.
    virtual Forwarded forward(Protocol protocol, int port, std::chrono::seconds lease) = 0;
};
