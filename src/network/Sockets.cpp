#include "network/Sockets.h"

#include "network/Ipv4.h"
#include "network/SocketCalls.h"

#include <algorithm>

namespace sockets {

namespace {
// Any address on the internet will do: nothing is sent to it.
const char* const SomewhereOnTheInternet = "1.1.1.1";
// Sent to where nothing listens: "connecting" a UDP socket sends nothing, it
// only has the system pick the route. Port 9 (discard) would take it anyway.
constexpr int AnyPort = 9;
// NAT-PMP's schedule: the first wait, doubled at each try.
constexpr std::chrono::milliseconds FirstWait(250);
constexpr int Tries = 4;

std::string sourceToward(const sockaddr_in& destination)
{
    Socket s(SOCK_DGRAM);
    if (!s || ::connect(s.handle(), reinterpret_cast<const sockaddr*>(&destination), sizeof destination) != 0)
        return {};
    sockaddr_in own{};
    socklen_t size = sizeof own;
    if (::getsockname(s.handle(), reinterpret_cast<sockaddr*>(&own), &size) != 0 || own.sin_addr.s_addr == 0)
        return {};
    return addressText(own.sin_addr);
}

// A home network's addresses come before a company's, and 172.16/12 last:
// container and virtual machine bridges take theirs from there.
int preference(const std::string& address)
{
    const auto parsed = ipv4::parse(address).value_or(0);
    if (parsed >> 16 == 0xc0a8)
        return 0;
    if (parsed >> 24 == 10)
        return 1;
    return parsed >> 20 == 0xac1 ? 3 : 2;
}
}  // namespace

std::optional<sockaddr_in> socketAddress(const std::string& text, int port)
{
    const auto parsed = ipv4::parse(text);
    if (!parsed)
        return std::nullopt;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(*parsed);
    return address;
}

std::string addressText(const in_addr& address) { return ipv4::format(ntohl(address.s_addr)); }

bool readableBefore(Handle handle, network::Deadline deadline)
{
    for (;;) {
        const auto left = network::timeLeft(deadline);
        if (left.count() == 0)
            return false;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(handle, &set);
        timeval timeout{};
        timeout.tv_sec = long(left.count() / 1000000);
        timeout.tv_usec = long(left.count() % 1000000);
        const int ready = ::select(int(handle + 1), &set, nullptr, nullptr, &timeout);
        if (ready != 0)
            return ready > 0;
    }
}

std::string localAddressToward(const std::string& destination)
{
    start();
    const auto address = socketAddress(destination, AnyPort);
    return address ? sourceToward(*address) : std::string();
}

std::string homeAddress(const std::string& device)
{
    std::string found = localAddressToward(SomewhereOnTheInternet);
    if (found.empty() && !device.empty())
        found = localAddressToward(device);
    if (!found.empty())
        return found;
    auto addresses = system::interfaceAddresses();
    std::stable_sort(addresses.begin(), addresses.end(),
                     [](const std::string& a, const std::string& b) { return preference(a) < preference(b); });
    return addresses.empty() ? std::string() : addresses.front();
}

std::optional<std::string> askOverUdp(const std::string& address, int port, const std::string& request,
                                      Deadline deadline, const std::function<bool(const std::string&)>& isAnswer)
{
    start();
    const auto destination = socketAddress(address, port);
    Socket s(SOCK_DGRAM);
    if (!destination || !s ||
        ::connect(s.handle(), reinterpret_cast<const sockaddr*>(&*destination), sizeof *destination) != 0)
        return std::nullopt;
    auto wait = FirstWait;
    for (int tries = 0; tries < Tries && network::Clock::now() < deadline; ++tries, wait *= 2) {
        if (::send(s.handle(), request.data(), int(request.size()), 0) < 0)
            return std::nullopt;
        const auto resend = std::min(network::Clock::now() + wait, deadline);
        while (readableBefore(s.handle(), resend)) {
            char buffer[1500];
            const auto got = ::recv(s.handle(), buffer, int(sizeof buffer), 0);
            if (got < 0)
                return std::nullopt;  // refused: nothing listens there
            const std::string answer(buffer, std::size_t(got));
            if (isAnswer(answer))
                return answer;
        }
    }
    return std::nullopt;
}

void gather(const std::string& from, const std::string& address, int port, const std::vector<std::string>& requests,
            Deadline until, const std::function<bool(const std::string&, const std::string&)>& take)
{
    start();
    const auto own = socketAddress(from, 0);
    const auto destination = socketAddress(address, port);
    Socket s(SOCK_DGRAM);
    // Bound to the one address, not to all of them: the request leaves on
    // the home network alone, and Windows' firewall has no reason to ask
    // the player about the launcher.
    if (!own || !destination || !s || ::bind(s.handle(), reinterpret_cast<const sockaddr*>(&*own), sizeof *own) != 0)
        return;
    const int hops = 2;  // a home network, with a second router at most
    ::setsockopt(s.handle(), IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&own->sin_addr),
                 sizeof own->sin_addr);
    ::setsockopt(s.handle(), IPPROTO_IP, IP_MULTICAST_TTL, reinterpret_cast<const char*>(&hops), sizeof hops);
    // Sent twice, as a datagram may be lost; the answers to both count.
    for (int sent = 0; sent < 2; ++sent) {
        for (const std::string& request : requests)
            ::sendto(s.handle(), request.data(), int(request.size()), 0,
                     reinterpret_cast<const sockaddr*>(&*destination), sizeof *destination);
        const auto next = sent == 0 ? std::min(network::Clock::now() + FirstWait, until) : until;
        while (readableBefore(s.handle(), next)) {
            char buffer[1500];
            sockaddr_in sender{};
            socklen_t size = sizeof sender;
            const auto got =
                ::recvfrom(s.handle(), buffer, int(sizeof buffer), 0, reinterpret_cast<sockaddr*>(&sender), &size);
            if (got >= 0 && take(std::string(buffer, std::size_t(got)), addressText(sender.sin_addr)))
                return;
        }
    }
}

}  // namespace sockets
