// What DOSBox is given for a network game, and the join addresses the
// players type.
#include "dosbox/DosBox.h"

#include <gtest/gtest.h>

using dosbox::Network;
using Kind = dosbox::Network::Kind;

TEST(DosBoxNetwork, EachGameGetsItsSettingsAfterThePlayersOwnAndItsCommandsBeforeTheProgram)
{
    using V = std::vector<std::string>;
    struct Case {
        const char* name;
        Network network;
        const char* settings;  // the configuration after its comment line
        V commands;
    };
    const Case cases[] = {
        {"host", {Kind::IpxHost, "", 21300, 0}, "[ipx]\nipx=true\n", {"IPXNET STARTSERVER 21300"}},
        {"join", {Kind::IpxJoin, "lan-host.example", 4000, 0}, "[ipx]\nipx=true\n",
         {"IPXNET CONNECT lan-host.example 4000"}},
        {"modem on COM2", {Kind::Modem, "", 23000, 2}, "[serial]\nserial2=modem listenport:23000\n", {}},
        {"modem on COM4", {Kind::Modem, "", 23000, 4}, "[serial]\nserial4=modem listenport:23000\n", {}},
        // DOSBox has no COM5, and "no port" is no port.
        {"modem on COM5", {Kind::Modem, "", 23000, 5}, "", {}},
        {"modem on no port", {Kind::Modem, "", 23000, 0}, "", {}},
        {"no network", {}, "", {}},
    };
    for (const Case& c : cases) {
        const std::string text = dosbox::configuration(c.network).text;
        ASSERT_EQ(text[0], '#') << c.name;
        EXPECT_EQ(text.substr(text.find('\n') + 1), c.settings) << c.name;
        EXPECT_EQ(dosbox::commands(c.network), c.commands) << c.name;
    }
    // Files whose texts differ have different names; the same text, the same name.
    auto name = [](const Network& network, const dosbox::Hardware& hardware = {}) {
        return dosbox::configuration(network, hardware).name;
    };
    EXPECT_NE(name({Kind::Modem, "", 23000, 2}), name({Kind::Modem, "", 23000, 3}));
    EXPECT_NE(name({}), name({}, {{}, std::nullopt, false}));
    EXPECT_EQ(name({Kind::IpxHost, "", 21300, 0}), name({Kind::IpxJoin, "h", 4000, 0}));

    // The player's own configuration first, then a dosbox.conf beside the
    // program, then the launcher's; -c commands run before the program.
    EXPECT_EQ(dosbox::arguments("/g/ENGINE/NET.BAT", {"/c/ipx.conf", {"IPXNET CONNECT h 1", "X"}, "/c/log"}),
              (V{"-userconf", "-conf", "/c/ipx.conf", "-c", "IPXNET CONNECT h 1", "-c", "X", "/g/ENGINE/NET.BAT",
                 "-exit"}));
    EXPECT_EQ(dosbox::arguments("/g/ENGINE/NET.BAT", {"/c/ipx.conf", {}, {}}, "/g/ENGINE/dosbox.conf"),
              (V{"-userconf", "-conf", "/g/ENGINE/dosbox.conf", "-conf", "/c/ipx.conf", "/g/ENGINE/NET.BAT", "-exit"}));
    EXPECT_EQ(dosbox::arguments("/g/VORNHALE.EXE"), (V{"/g/VORNHALE.EXE", "-exit"}));
}

TEST(DosBoxNetwork, FoldersDosBoxCannotMountAreToldApartAndGetAShortNameOfTheirOwn)
{
    EXPECT_EQ(dosbox::mountProblem("/home/p/Games/Vornhale (1996)/ENGINE"), "");
    EXPECT_EQ(dosbox::mountProblem(std::string(238, 'a')), "");
    for (const std::string& folder : std::vector<std::string>{"/g/\"q\"", "/g/100%", std::string(239, 'a')})
        EXPECT_NE(dosbox::mountProblem(folder), "") << folder;
    EXPECT_EQ(dosbox::mountName("/g/a\"b"), dosbox::mountName("/g/a\"b"));
    EXPECT_NE(dosbox::mountName("/g/a\"b"), dosbox::mountName("/g/a\"c"));
    EXPECT_EQ(dosbox::mountProblem(dosbox::mountName(std::string(300, '%'))), "");
}

TEST(DosBoxNetwork, AJoinAddressIsAHostNameOrIpv4AddressWithAnOptionalPort)
{
    struct Case {
        const char* typed;
        const char* host;  // "" when refused
        int port;
        const char* problem;
    };
    const char* const notAHost = "is not a host name or an IPv4 address.";
    const char* const badPort = "The port after the colon must be a number from 1 to 65535.";
    const Case cases[] = {
        {"127.0.0.1", "127.0.0.1", 21300, ""},
        {" 192.168.1.20:4000\t", "192.168.1.20", 4000, ""},
        {"Lan-Host.example.org", "Lan-Host.example.org", 21300, ""},
        {"host:65535", "host", 65535, ""},
        {"", "", 0, "Type the address of the computer that hosts the game."},
        {"  ", "", 0, "Type the address of the computer that hosts the game."},
        {"host:", "", 0, badPort},
        {"host:0", "", 0, badPort},
        {"host:65536", "", 0, badPort},
        {"host:12a", "", 0, badPort},
        {"two words", "", 0, notAHost},
        {"-host", "", 0, notAHost},
        {"host-.lan", "", 0, notAHost},
        {"a..b", "", 0, notAHost},
        {"256.1.1.1", "", 0, notAHost},
        {"1.2.3", "", 0, notAHost},
        {"192.168.001.010", "", 0, notAHost},  // octal to the resolver
        {"::1", "", 0, notAHost},              // DOSBox's IPX network is IPv4 only
        {"h\xc3\xa9te", "", 0, notAHost},
        {":4000", "", 0, notAHost},
    };
    for (const Case& c : cases) {
        const dosbox::Address address = dosbox::parseAddress(c.typed);
        EXPECT_EQ(address.host, c.host) << c.typed;
        if (*c.host) {
            EXPECT_EQ(address.port, c.port) << c.typed;
        }
        EXPECT_NE(address.problem.find(c.problem), std::string::npos) << c.typed << ": " << address.problem;
        EXPECT_EQ(address.problem.empty(), *c.problem == '\0') << c.typed;
    }
    EXPECT_EQ(dosbox::parseAddress("a b").problem, "\"a b\" is not a host name or an IPv4 address.");
    EXPECT_EQ(dosbox::parseAddress(std::string(63, 'a') + ".lan").host, std::string(63, 'a') + ".lan");
    EXPECT_FALSE(dosbox::parseAddress(std::string(64, 'a')).problem.empty());
}
