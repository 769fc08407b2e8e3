// The POSIX half of network/Sockets.h.
#include "network/Sockets.h"

#include "network/Ipv4.h"
#include "network/SocketCalls.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sockets {

void start() {}

void closeHandle(Handle handle) { ::close(handle); }

bool portFree(Port port)
{
    Socket s(port.protocol == Protocol::Udp ? SOCK_DGRAM : SOCK_STREAM);
    if (!s)
        return true;  // nothing can be told; DOSBox will say what it finds
    // DOSBox's modem opens its port so on these systems: a connection of an
    // earlier game that is still closing does not hold the port.
    if (port.protocol == Protocol::Tcp) {
        const int yes = 1;
        ::setsockopt(s.handle(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    }
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(std::uint16_t(port.number));
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    return ::bind(s.handle(), reinterpret_cast<const sockaddr*>(&any), sizeof any) == 0;
}

std::string defaultGateway()
{
    // Linux tells its routes here: interface, destination, gateway, flags,
    // in hexadecimal, the addresses in network order.
    std::ifstream routes("/proc/net/route");
    std::string line;
    std::getline(routes, line);  // the heading
    while (std::getline(routes, line)) {
        std::istringstream fields(line);
        std::string interface, destination, gateway;
        if (!(fields >> interface >> destination >> gateway) || destination != "00000000")
            continue;
        in_addr address{};
        address.s_addr = std::uint32_t(std::strtoul(gateway.c_str(), nullptr, 16));
        if (address.s_addr != 0)
            return addressText(address);
    }
    return {};
}

std::vector<std::string> system::interfaceAddresses()
{
    std::vector<std::string> found;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return found;
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
            continue;
        const in_addr address = reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr;
        if (!ipv4::isLoopback(ntohl(address.s_addr)))
            found.push_back(addressText(address));
    }
    ::freeifaddrs(list);
    return found;
}

}  // namespace sockets
