// What a hosting window says about where friends join, for each answer of
// the home router.
#include "multiplayer/WhereToJoin.h"

#include <gtest/gtest.h>

using namespace wheretojoin;
using Mapping = Router::Found::Mapping;
using Refusal = Router::Refusal;
using namespace std::chrono_literals;

TEST(WhereToJoin, AnAddressReachesTheInternetUnlessItIsPrivateSharedOrNoAddressToJoinAt)
{
    const std::pair<const char*, Reach> cases[] = {
        {"45.67.89.1", Reach::Internet},   {"9.255.255.255", Reach::Internet}, {"11.0.0.1", Reach::Internet},
        {"172.15.0.1", Reach::Internet},   {"172.32.0.1", Reach::Internet},    {"100.63.255.1", Reach::Internet},
        {"100.128.0.1", Reach::Internet},  {"192.169.0.1", Reach::Internet},   {"10.0.0.1", Reach::Private},
        {"172.16.0.1", Reach::Private},    {"172.31.255.255", Reach::Private}, {"192.168.1.1", Reach::Private},
        {"100.64.0.1", Reach::Shared},     {"100.127.255.1", Reach::Shared},   {"0.0.0.0", Reach::Nobody},
        {"127.0.0.1", Reach::Nobody},      {"169.254.3.4", Reach::Nobody},     {"224.0.0.1", Reach::Nobody},
        {"", Reach::Nobody},               {"1.2.3", Reach::Nobody},           {"1.2.3.256", Reach::Nobody},
        {"router.example", Reach::Nobody}, {"1.2.3.4 ", Reach::Nobody},     {"010.0.0.1", Reach::Nobody},
        {"198.19.0.1", Reach::Nobody},     {"192.0.2.7", Reach::Nobody},       {"203.0.113.9", Reach::Nobody},
    };
    for (const auto& [address, reach] : cases)
        EXPECT_EQ(reachOf(address), reach) << address;
}

TEST(WhereToJoin, EachAnswerOfTheRouterSaysWhereFriendsJoinAndWhatStandsInTheWay)
{
    const Game ipx{ipxPort(21300), false, "OK"};
    const Game modem{modemPort(23000), true, "Start"};
    const Router::Found upnp{Mapping::Upnp, "192.168.1.20", "45.67.89.1"};
    struct Case {
        const char* name;
        Game game;
        Answers answers;
        const char* internet;
        const char* home;
        const char* copied;
        const char* explained;  // a part of the explanation; "" for none at all
        bool holdStart;
    };
    const Case cases[] = {
        {"still looking", ipx, {}, "looking for your router...", "", "", "", false},
        {"a router that will forward", ipx, {upnp, {}}, "45.67.89.1", "192.168.1.20", "45.67.89.1",
         "Hosting asks your router to forward UDP port 21300 to this computer for 4 hours.", false},
        {"a modem's number carries its port", modem, {upnp, {}}, "45.67.89.1:23000", "192.168.1.20:23000",
         "45.67.89.1:23000", "TCP port 23000", false},
        {"forwarded", ipx, {upnp, Router::Forwarded{21300}}, "45.67.89.1", "192.168.1.20", "45.67.89.1",
         "Your router forwards UDP port 21300 to this computer for 4 hours.", false},
        {"forwarded on another port", ipx, {upnp, Router::Forwarded{21302}}, "45.67.89.1:21302", "192.168.1.20",
         "45.67.89.1:21302", "friends on the internet join at 45.67.89.1:21302. OK hosts the game.", true},
        {"refused", modem, {upnp, Router::Forwarded{0, Refusal::NotAllowed}}, "none (see below)",
         "192.168.1.20:23000", "192.168.1.20:23000",
         "Your router refused to forward TCP port 23000: it does not let this computer ask. For friends on the "
         "internet, forward it to this computer (192.168.1.20) in the router's settings. Start hosts the game for "
         "friends at home.",
         true},
        {"refused without a reason", ipx, {upnp, Router::Forwarded{0}}, "none (see below)", "192.168.1.20",
         "192.168.1.20", "Your router refused to forward UDP port 21300. For friends", true},
        {"no router", ipx, {Router::Found{Mapping::None, "192.168.1.20", ""}, {}}, "unknown", "192.168.1.20",
         "192.168.1.20",
         "No router answered the launcher (UPnP or NAT-PMP). For friends on the internet, forward UDP port 21300 "
         "to this computer (192.168.1.20) in your router's settings",
         false},
        {"no router and no network", ipx, {Router::Found{}, {}}, "unknown", "unknown", "",
         "forward UDP port 21300 to this computer in", false},
        {"a router without its address", ipx, {Router::Found{Mapping::NatPmp, "192.168.1.20", ""}, {}}, "unknown",
         "192.168.1.20", "192.168.1.20", "does not tell its address on the internet", false},
        {"a router behind another", ipx, {Router::Found{Mapping::Upnp, "192.168.1.20", "10.1.2.3"}, {}},
         "none (see below)", "192.168.1.20", "192.168.1.20",
         "10.1.2.3, is a private one: another router sits in front of it. Friends on the internet cannot reach "
         "this game unless that router forwards UDP port 21300 to your router (10.1.2.3) too",
         false},
        {"behind another, forwarded on another port", ipx,
         {Router::Found{Mapping::Upnp, "192.168.1.20", "10.1.2.3"}, Router::Forwarded{21301, Refusal::None, 0, 3600s}},
         "none (see below)", "192.168.1.20", "192.168.1.20",
         "Your router forwards its port 21301 to this computer's UDP port 21300 for 1 hour. Your router's address "
         "on the internet, 10.1.2.3, is a private one: another router sits in front of it. Friends on the internet "
         "cannot reach this game unless that router forwards UDP port 21301 to your router (10.1.2.3) too",
         true},
        {"refused behind another", ipx,
         {Router::Found{Mapping::NatPmp, "192.168.1.20", ""}, Router::Forwarded{0, Refusal::NoPortLeft}},
         "unknown", "192.168.1.20", "192.168.1.20", "refused to forward UDP port 21300: it has no port left", true},
        {"another device than the gateway", ipx,
         {Router::Found{Mapping::Upnp, "192.168.1.20", "45.67.89.1", "10.0.0.9"}, {}}, "45.67.89.1", "192.168.1.20",
         "45.67.89.1", "The device at 10.0.0.9 answered as your router. Hosting asks", false},
        {"an address the provider shares", ipx,
         {Router::Found{Mapping::Upnp, "192.168.1.20", "100.70.1.2"}, Router::Forwarded{21300}}, "none (see below)",
         "192.168.1.20", "192.168.1.20",
         "100.70.1.2, is shared: your internet provider shares one address among many customers. Friends on the "
         "internet cannot reach this game without help outside the launcher",
         false},
    };
    for (const Case& c : cases) {
        const Panel panel = describe(c.game, c.answers);
        EXPECT_EQ(panel.internet, c.internet) << c.name;
        EXPECT_EQ(panel.home, c.home) << c.name;
        EXPECT_EQ(panel.copied, c.copied) << c.name;
        if (*c.explained)
            EXPECT_NE(panel.explanation.find(c.explained), std::string::npos) << c.name << ": " << panel.explanation;
        else
            EXPECT_EQ(panel.explanation, "") << c.name;
        EXPECT_EQ(panel.holdStart, c.holdStart) << c.name;
    }
    EXPECT_EQ(portInUse(ipxPort(21300)).rfind("Port 21300 (UDP) is in use by another program", 0), 0u);
}
