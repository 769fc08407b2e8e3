#pragma once
// The home router as the launcher asks it, on every system alike: the
// default gateway through UPnP, else through NAT-PMP, else another UPnP
// device on the home network.

#include "network/Router.h"
#include "network/Upnp.h"

#include <memory>

// Where the router is asked; a test puts a fake router elsewhere.
struct RouterPlaces {
    std::string gateway;  // empty: the system's default gateway
    upnp::SearchPlace search;
    int natPmpPort = 5351;
};

std::shared_ptr<Router> makeHomeRouter(RouterPlaces places = {});
