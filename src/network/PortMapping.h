#pragma once
// The home router as the launcher asks it, on every system alike: through
// UPnP (miniupnpc), and through NAT-PMP where no UPnP router answers.

#include "network/Router.h"

#include <memory>

std::shared_ptr<Router> makeHomeRouter();
