// The Windows half of network/Sockets.h.
#include "network/Sockets.h"

#include "network/Ipv4.h"
#include "network/SocketCalls.h"

#include <algorithm>
#include <mutex>

namespace sockets {

namespace {
// The system's table of local endpoints (GetTcpTable or GetUdpTable), asked
// again where it grew in between.
template <class Table, class Ask>
std::vector<char> endpointTable(Ask ask)
{
    std::vector<char> buffer(sizeof(Table));
    for (int tries = 0; tries < 3; ++tries) {
        ULONG size = ULONG(buffer.size());
        const ULONG result = ask(reinterpret_cast<Table*>(buffer.data()), &size, FALSE);
        if (result == NO_ERROR)
            return buffer;
        if (result != ERROR_INSUFFICIENT_BUFFER)
            break;
        buffer.resize(size);
    }
    return {};
}

template <class Table, class Held>
bool anyRow(const std::vector<char>& buffer, Held held)
{
    if (buffer.empty())
        return false;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    return std::any_of(table->table, table->table + table->dwNumEntries, held);
}
}  // namespace

void start()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    });
}

void closeHandle(Handle handle) { ::closesocket(handle); }

bool portFree(Port port)
{
    // Opening the port to try it would have Windows' firewall ask the player
    // about the launcher itself; the system's own tables tell who holds it.
    const auto ours = [&](DWORD networkOrder) { return ntohs(u_short(networkOrder)) == port.number; };
    if (port.protocol == Protocol::Udp)
        return !anyRow<MIB_UDPTABLE>(endpointTable<MIB_UDPTABLE>(::GetUdpTable),
                                     [&](const MIB_UDPROW& row) { return ours(row.dwLocalPort); });
    return !anyRow<MIB_TCPTABLE>(endpointTable<MIB_TCPTABLE>(::GetTcpTable), [&](const MIB_TCPROW& row) {
        return row.dwState == MIB_TCP_STATE_LISTEN && ours(row.dwLocalPort);
    });
}

std::string defaultGateway()
{
    start();
    const auto somewhere = socketAddress("1.1.1.1", 0);
    MIB_IPFORWARDROW route{};
    if (!somewhere || ::GetBestRoute(somewhere->sin_addr.s_addr, 0, &route) != NO_ERROR || route.dwForwardNextHop == 0)
        return {};
    in_addr gateway{};
    gateway.s_addr = route.dwForwardNextHop;
    return addressText(gateway);
}

std::vector<std::string> system::interfaceAddresses()
{
    start();
    std::vector<std::string> found;
    char name[256] = "";
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* list = nullptr;
    if (::gethostname(name, sizeof name) != 0 || ::getaddrinfo(name, nullptr, &hints, &list) != 0)
        return found;
    for (const addrinfo* a = list; a; a = a->ai_next) {
        const in_addr address = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr;
        if (!ipv4::isLoopback(ntohl(address.s_addr)))
            found.push_back(addressText(address));
    }
    ::freeaddrinfo(list);
    return found;
}

}  // namespace sockets
