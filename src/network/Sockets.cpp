#include "network/Sockets.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
// After winsock2.h, which it needs.
#include <iphlpapi.h>
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace sockets {

namespace {
#ifdef _WIN32
using Handle = SOCKET;
const Handle NoSocket = INVALID_SOCKET;
void closeHandle(Handle h) { ::closesocket(h); }
#else
using Handle = int;
const Handle NoSocket = -1;
void closeHandle(Handle h) { ::close(h); }
#endif

class Socket {
public:
    Socket(int type) : handle_(::socket(AF_INET, type, 0)) {}
    ~Socket()
    {
        if (handle_ != NoSocket)
            closeHandle(handle_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    explicit operator bool() const { return handle_ != NoSocket; }
    Handle handle() const { return handle_; }

private:
    Handle handle_;
};

sockaddr_in ipv4(std::uint32_t networkOrder, int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = networkOrder;
    return address;
}

std::optional<sockaddr_in> parse(const std::string& text, int port)
{
    in_addr parsed{};
    if (::inet_pton(AF_INET, text.c_str(), &parsed) != 1)
        return std::nullopt;
    return ipv4(parsed.s_addr, port);
}

std::string text(const in_addr& address)
{
    char buffer[INET_ADDRSTRLEN] = "";
    return ::inet_ntop(AF_INET, &address, buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool isLoopback(const in_addr& address) { return (ntohl(address.s_addr) >> 24) == 127; }

// A UDP socket "connected" to the destination sends nothing, but the system
// picks the route and with it the address it would send from.
std::string sourceToward(const sockaddr_in& destination)
{
    Socket s(SOCK_DGRAM);
    if (!s || ::connect(s.handle(), reinterpret_cast<const sockaddr*>(&destination), sizeof destination) != 0)
        return {};
    sockaddr_in own{};
    socklen_t size = sizeof own;
    if (::getsockname(s.handle(), reinterpret_cast<sockaddr*>(&own), &size) != 0 || own.sin_addr.s_addr == 0)
        return {};
    return text(own.sin_addr);
}

// Any address on the internet will do: nothing is sent to it.
const char* const SomewhereOnTheInternet = "1.1.1.1";

// The first address of the computer's own interfaces that is not a loopback.
std::string interfaceAddress()
{
    std::string found;
#ifdef _WIN32
    char name[256] = "";
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* list = nullptr;
    if (::gethostname(name, sizeof name) != 0 || ::getaddrinfo(name, nullptr, &hints, &list) != 0)
        return found;
    for (const addrinfo* a = list; a && found.empty(); a = a->ai_next) {
        const in_addr address = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr;
        if (!isLoopback(address))
            found = text(address);
    }
    ::freeaddrinfo(list);
#else
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return found;
    for (const ifaddrs* a = list; a && found.empty(); a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
            continue;
        const in_addr address = reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr;
        if (!isLoopback(address))
            found = text(address);
    }
    ::freeifaddrs(list);
#endif
    return found;
}

bool readable(Handle h, std::chrono::milliseconds wait)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(h, &set);
    const auto ms = std::max<long long>(0, wait.count());
    timeval timeout{};
    timeout.tv_sec = long(ms / 1000);
    timeout.tv_usec = long(ms % 1000 * 1000);
    return ::select(int(h + 1), &set, nullptr, nullptr, &timeout) > 0;
}
}  // namespace

void start()
{
#ifdef _WIN32
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    });
#endif
}

#ifdef _WIN32
namespace {
// The system's table of local endpoints (GetTcpTable or GetUdpTable), asked
// twice where it grew in between.
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

bool portFree(Protocol protocol, int port)
{
    // Opening the port to try it would have Windows' firewall ask the player
    // about the launcher itself; the system's own tables tell who holds it.
    const auto ours = [port](DWORD networkOrder) { return ntohs(u_short(networkOrder)) == port; };
    if (protocol == Protocol::Udp)
        return !anyRow<MIB_UDPTABLE>(endpointTable<MIB_UDPTABLE>(::GetUdpTable),
                                     [&](const MIB_UDPROW& row) { return ours(row.dwLocalPort); });
    return !anyRow<MIB_TCPTABLE>(endpointTable<MIB_TCPTABLE>(::GetTcpTable), [&](const MIB_TCPROW& row) {
        return row.dwState == MIB_TCP_STATE_LISTEN && ours(row.dwLocalPort);
    });
}
#else
bool portFree(Protocol protocol, int port)
{
    Socket s(protocol == Protocol::Udp ? SOCK_DGRAM : SOCK_STREAM);
    if (!s)
        return true;  // nothing can be told; DOSBox will say what it finds
    // DOSBox's modem opens its port so on these systems: a connection of an
    // earlier game that is still closing does not hold the port.
    if (protocol == Protocol::Tcp) {
        const int yes = 1;
        ::setsockopt(s.handle(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    }
    const sockaddr_in any = ipv4(htonl(INADDR_ANY), port);
    return ::bind(s.handle(), reinterpret_cast<const sockaddr*>(&any), sizeof any) == 0;
}
#endif

std::string localAddressToward(const std::string& destination)
{
    start();
    const auto address = parse(destination, 9);
    return address ? sourceToward(*address) : std::string();
}

std::string localAddress()
{
    const std::string toward = localAddressToward(SomewhereOnTheInternet);
    return toward.empty() ? interfaceAddress() : toward;
}

std::string defaultGateway()
{
    start();
#ifdef _WIN32
    const auto somewhere = parse(SomewhereOnTheInternet, 0);
    MIB_IPFORWARDROW route{};
    if (!somewhere || ::GetBestRoute(somewhere->sin_addr.s_addr, 0, &route) != NO_ERROR || route.dwForwardNextHop == 0)
        return {};
    in_addr gateway{};
    gateway.s_addr = route.dwForwardNextHop;
    return text(gateway);
#else
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
            return text(address);
    }
    return {};
#endif
}

std::optional<std::string> ask(const std::string& address, int port, const std::string& request, Deadline deadline,
                               const std::function<bool(const std::string&)>& isAnswer)
{
    using namespace std::chrono;
    start();
    const auto destination = parse(address, port);
    Socket s(SOCK_DGRAM);
    if (!destination || !s ||
        ::connect(s.handle(), reinterpret_cast<const sockaddr*>(&*destination), sizeof *destination) != 0)
        return std::nullopt;
    milliseconds wait(250);
    while (steady_clock::now() < deadline) {
        if (::send(s.handle(), request.data(), int(request.size()), 0) < 0)
            return std::nullopt;
        const auto resend = std::min(steady_clock::now() + wait, deadline);
        while (readable(s.handle(), duration_cast<milliseconds>(resend - steady_clock::now()))) {
            char buffer[1500];
            const auto got = ::recv(s.handle(), buffer, int(sizeof buffer), 0);
            if (got < 0)
                return std::nullopt;  // refused: nothing listens there
            const std::string answer(buffer, std::size_t(got));
            if (isAnswer(answer))
                return answer;
        }
        wait *= 2;
    }
    return std::nullopt;
}

}  // namespace sockets
