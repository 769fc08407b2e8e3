// The network as the launcher asks it, on both systems (the Windows test
// program runs this too): whether DOSBox could open a port now, and the home
// router, which only tests/e2e/test_router.sh provides (it runs this program
// in a home network behind a real router daemon).
#include "network/PortMapping.h"
#include "network/Sockets.h"

#ifdef _WIN32
#include <winsock2.h>
using socklen_t = int;
static void closeSocket(SOCKET s) { ::closesocket(s); }
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
static void closeSocket(int s) { ::close(s); }
#endif

#include <gtest/gtest.h>

#include <cstdlib>

using namespace std::chrono_literals;

TEST(Network, APortIsFreeUntilAnotherProgramHoldsIt)
{
    sockets::start();
    for (const Protocol protocol : {Protocol::Udp, Protocol::Tcp}) {
        const auto held = ::socket(AF_INET, protocol == Protocol::Udp ? SOCK_DGRAM : SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_ANY);
        socklen_t size = sizeof address;
        ASSERT_EQ(::bind(held, reinterpret_cast<sockaddr*>(&address), size), 0);
        if (protocol == Protocol::Tcp) {
            ASSERT_EQ(::listen(held, 1), 0);
        }
        ::getsockname(held, reinterpret_cast<sockaddr*>(&address), &size);
        const int port = ntohs(address.sin_port);
        EXPECT_FALSE(sockets::portFree({protocol, port})) << protocolName(protocol);
        closeSocket(held);
        EXPECT_TRUE(sockets::portFree({protocol, port})) << protocolName(protocol);
    }
}

TEST(Network, TheHomeRouterTellsItsAddressAndForwardsAPort)
{
    const char* external = std::getenv("VORNHALE_TEST_ROUTER");
    if (!external)
        GTEST_SKIP() << "no router to ask here; tests/e2e/test_router.sh runs this behind one";
    const std::string way = std::getenv("VORNHALE_TEST_ROUTER_WAY");
    const auto router = makeHomeRouter();
    const auto started = std::chrono::steady_clock::now();
    const Router::Found found = router->find(2000ms);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
    EXPECT_EQ(found.mapping, way == "upnp" ? Router::Found::Mapping::Upnp : Router::Found::Mapping::NatPmp);
    EXPECT_EQ(found.externalAddress, external);
    EXPECT_EQ(found.localAddress, std::getenv("VORNHALE_TEST_LOCAL"));
    // The script then finds 23456 forwarded, and 23457, taken back, not.
    const Router::Forwarded forwarded = router->forward(found, ipxPort(23456), 60s);
    EXPECT_EQ(forwarded.externalPort, 23456) << int(forwarded.refusal);
    EXPECT_GT(forwarded.lease.count(), 0);
    const Router::Forwarded takenBack = router->forward(found, ipxPort(23457), 60s);
    EXPECT_EQ(takenBack.externalPort, 23457) << int(takenBack.refusal);
    router->remove(found, ipxPort(23457), takenBack);
}
