#pragma once
// The home router between this computer and the internet. A player who hosts
// a network game sits behind it: friends on the internet reach the game only
// where the router forwards the game's port to this computer. Most home
// routers do that on request (UPnP, or NAT-PMP), and tell their address on
// the internet, which is the address friends join at.
//
// Asking takes time (the router has a second or two to answer), so these
// calls block and are made on a thread of their own, never the windows'. Each
// ends by its time limit whatever the network does. Any thread may call them.

#include "network/Port.h"

#include <chrono>
#include <string>

class Router {
public:
    // What the look for the router found: also what forward() and remove()
    // ask, so they reach the device the look chose.
    struct Found {
        // How the router forwards a port on request.
        enum class Mapping {
            None,    // no router answered in time
            Upnp,    // a UPnP internet gateway
            NatPmp,  // a router answering NAT-PMP
        };
        Mapping mapping = Mapping::None;
        // This computer's address on the home network (IPv4); empty when it
        // has none.
        std::string localAddress{};
        // The router's address on the internet as the router tells it;
        // empty where no router answered or it does not know its address.
        std::string externalAddress{};
        // The device that answered where it is not the default gateway (an
        // old router kept as an access point, say); empty where it is.
        std::string otherDevice{};
        // Where requests go: the UPnP control address and its service, or
        // the NAT-PMP router's address.
        std::string controlUrl{}, serviceType{}, natPmpAddress{};
    };
    // Why a router refused to forward; the windows put it in words.
    enum class Refusal {
        None,
        NotAllowed,      // it does not let this computer ask
        PortTaken,       // the port goes to another computer already
        ForGood,         // it would forward only for good
        NoPortLeft,      // it has no port left to give
        HeldBySetting,   // another of its settings holds the port
        NotConnected,    // it is not connected to the internet
        OtherVersion,    // it speaks another version of NAT-PMP
        UnknownRequest,  // it does not know the request
        Unusable,        // it answered nothing usable
        Silent,          // it did not answer
        Late,            // it did not answer in time
        NoRouter,        // no router answered the look
        UpnpError,       // a UPnP error, in `code`
        NatPmpResult,    // a NAT-PMP result, in `code`
    };
    // What the router answered to a request to forward a port.
    struct Forwarded {
        int externalPort = 0;  // the port it forwards on the internet side; 0 where it refused
        Refusal refusal = Refusal::None;
        int code = 0;  // the router's own code for an error the launcher has no words of its own for
        // How long the router keeps the forwarding; zero where it did not tell.
        std::chrono::seconds lease{0};
    };

    virtual ~Router() = default;
    // Looks for the router, taking about `timeout` at most. A look asked for
    // while another runs takes that one's answer.
    virtual Found find(std::chrono::milliseconds timeout) = 0;
    // Asks the router `found` names to forward `port` on its internet side to
    // the same port of this computer, for `lease`: the router drops the
    // forwarding once the lease ends. A port already forwarded to another
    // computer is asked for one of the next ports. A request for a port this
    // computer holds already renews its lease. A router that would forward
    // for good is refused: the launcher could not take it back.
    virtual Forwarded forward(const Found& found, Port port, std::chrono::seconds lease) = 0;
    // Takes back what forward() was granted, best effort, within its time.
    virtual void remove(const Found& found, Port port, const Forwarded& forwarded) = 0;
};
