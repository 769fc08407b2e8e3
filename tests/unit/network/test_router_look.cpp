// The look for the home router and its forwarding against a fake router on
// loopback (no root needed): its gateway at 127.0.0.1 answers NAT-PMP and
// UPnP as each row of the table says, and a second device at 127.0.0.2
// answers UPnP. Every look must end in time and use the right device.
#ifndef _WIN32
#include "network/PortMapping.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace std::chrono_literals;
using Mapping = Router::Found::Mapping;

namespace {
enum class NatPmp { Closed, Silent, Right, OtherVersion, OtherOpcode, Pieces, Flood, Slow, ResultOne, OtherPort };
enum class Http { None, Right, Hangs, Permanent };

struct Fake {
    NatPmp natPmp;
    Http gateway, second;
    std::atomic<bool> stop{false};
    std::atomic<int> natPmpRequests{0}, deletes{0};
    std::vector<std::thread> threads{};

    static int bound(const char* address, int type, int* port)
    {
        const int s = ::socket(AF_INET, type, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        ::inet_pton(AF_INET, address, &a.sin_addr);
        socklen_t size = sizeof a;
        ::bind(s, reinterpret_cast<sockaddr*>(&a), size);
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
        *port = ntohs(a.sin_port);
        if (type == SOCK_STREAM)
            ::listen(s, 8);
        return s;
    }
    bool ready(int s)
    {
        pollfd p{s, POLLIN, 0};
        return !stop && ::poll(&p, 1, 20) > 0;
    }
    // Each datagram that comes to `s` gets what `answer` makes of it.
    void serveUdp(int s, std::function<std::vector<std::string>(const std::string&)> answer)
    {
        threads.emplace_back([this, s, answer] {
            while (!stop) {
                if (!ready(s))
                    continue;
                char b[1500];
                sockaddr_in from{};
                socklen_t size = sizeof from;
                const auto got = ::recvfrom(s, b, sizeof b, 0, reinterpret_cast<sockaddr*>(&from), &size);
                for (const std::string& a : answer(std::string(b, std::size_t(got))))
                    ::sendto(s, a.data(), a.size(), 0, reinterpret_cast<sockaddr*>(&from), size);
            }
            ::close(s);
        });
    }
    void serveHttp(int s, Http how, const char* external)
    {
        threads.emplace_back([=, this] {
            std::vector<int> open;
            while (!stop) {
                if (!ready(s))
                    continue;
                const int c = ::accept(s, nullptr, nullptr);
                open.push_back(c);
                std::string request;
                char b[4096];
                while (request.find("</s:Envelope>") == std::string::npos && request.find("GET") != 0) {
                    const auto got = ::recv(c, b, sizeof b, 0);
                    if (got <= 0)
                        break;
                    request.append(b, std::size_t(got));
                }
                if (how == Http::Hangs)
                    continue;  // says nothing, keeps the connection
                std::string body;
                if (request.find("GET") == 0)
                    body = description();
                else if (request.find("GetExternalIPAddress") != std::string::npos)
                    body = soap("<NewExternalIPAddress>" + std::string(external) + "</NewExternalIPAddress>");
                else if (request.find("GetSpecificPortMappingEntry") != std::string::npos)
                    body = soap(std::string("<NewInternalPort>21300</NewInternalPort><NewInternalClient>127.0.0.1"
                                            "</NewInternalClient><NewEnabled>1</NewEnabled><NewLeaseDuration>") +
                                (how == Http::Permanent ? "0" : "3600") + "</NewLeaseDuration>");
                else
                    body = soap(""), deletes += request.find("DeletePortMapping") != std::string::npos;
                const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " +
                                           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
                ::send(c, answer.data(), answer.size(), MSG_NOSIGNAL);
                ::close(c);
                open.pop_back();
            }
            for (int c : open)
                ::close(c);
            ::close(s);
        });
    }
    static std::string soap(const std::string& inner)
    {
        return "<?xml version=\"1.0\"?><s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>"
               "<u:R xmlns:u=\"urn:schemas-upnp-org:service:WANIPConnection:1\">" +
               inner + "</u:R></s:Body></s:Envelope>";
    }
    static std::string description()
    {
        const std::string d = "<device><deviceType>urn:schemas-upnp-org:device:";
        return "<?xml version=\"1.0\"?><root xmlns=\"urn:schemas-upnp-org:device-1-0\">" + d +
               "InternetGatewayDevice:1</deviceType><deviceList>" + d +
               "WANDevice:1</deviceType><deviceList>" + d +
               "WANConnectionDevice:1</deviceType><serviceList><service><serviceType>urn:schemas-upnp-org:service:"
               "WANIPConnection:1</serviceType><controlURL>/ctl</controlURL><SCPDURL>/s.xml</SCPDURL></service>"
               "</serviceList></device></deviceList></device></deviceList></device></root>";
    }
    std::vector<std::string> natPmpAnswer(const std::string& q)
    {
        ++natPmpRequests;
        const bool mapping = q.size() >= 12;
        // Version, opcode | 128, result, seconds since start, then the
        // address, or the internal port, external port and lifetime.
        std::string a{0, char(128 | q[1]), 0, 0, 0, 0, 0, 1};
        a += mapping ? q.substr(4, 4) + std::string{0, 0, 0x0e, 0x10} : std::string{45, 67, 89, 1};
        switch (natPmp) {
        case NatPmp::Right: return {a};
        case NatPmp::OtherVersion: return {"\1" + a.substr(1)};
        case NatPmp::OtherOpcode: return {a.substr(0, 1) + char(129) + a.substr(2)};
        case NatPmp::Pieces: return {a.substr(0, 6), a.substr(6)};
        case NatPmp::Flood: return std::vector<std::string>(20, a.substr(0, 5));
        case NatPmp::Slow: std::this_thread::sleep_for(1500ms); return {a};
        case NatPmp::ResultOne: return {a.substr(0, 3) + '\1' + a.substr(4, 4)};
        case NatPmp::OtherPort: return {mapping ? a.substr(0, 8) + "\x27\x0f\x01\xbb" + a.substr(12) : a};
        default: return {};
        }
    }

    RouterPlaces start()
    {
        RouterPlaces places;
        places.gateway = "127.0.0.1";
        places.search.address = "127.0.0.1";
        int gatewayPort = 0, secondPort = 0;
        std::vector<std::string> locations;
        if (gateway != Http::None) {
            serveHttp(bound("127.0.0.1", SOCK_STREAM, &gatewayPort), gateway, "45.67.89.1");
            locations.push_back("http://127.0.0.1:" + std::to_string(gatewayPort) + "/d.xml");
        }
        if (second != Http::None) {
            serveHttp(bound("127.0.0.2", SOCK_STREAM, &secondPort), second, "6.6.6.6 ");
            locations.push_back("http://127.0.0.2:" + std::to_string(secondPort) + "/d.xml");
        }
        serveUdp(bound("127.0.0.1", SOCK_DGRAM, &places.search.port), [locations](const std::string&) {
            std::vector<std::string> answers;
            for (const auto& l : locations)
                answers.push_back("HTTP/1.1 200 OK\r\nST: upnp:rootdevice\r\nLOCATION: " + l + "\r\n\r\n");
            return answers;
        });
        const int natPmpSocket = bound("127.0.0.1", SOCK_DGRAM, &places.natPmpPort);
        if (natPmp == NatPmp::Closed)
            ::close(natPmpSocket);
        else
            serveUdp(natPmpSocket, [this](const std::string& q) { return natPmpAnswer(q); });
        return places;
    }
    ~Fake()
    {
        stop = true;
        for (auto& t : threads)
            t.join();
    }
};
}  // namespace

TEST(RouterLook, EndsInTimeAndUsesTheGatewayFirstWhateverTheRoutersAnswer)
{
    struct Case {
        const char* name;
        NatPmp natPmp;
        Http gateway, second;
        Mapping mapping;
        const char* external;
        const char* other;  // the device that answered, where not the gateway
    };
    const Case cases[] = {
        {"UPnP at the gateway", NatPmp::Right, Http::Right, Http::Right, Mapping::Upnp, "45.67.89.1", ""},
        {"NAT-PMP at the gateway before another device", NatPmp::Right, Http::None, Http::Right, Mapping::NatPmp,
         "45.67.89.1", ""},
        {"the other device alone, its address trimmed", NatPmp::Closed, Http::None, Http::Right, Mapping::Upnp, "6.6.6.6",
         "127.0.0.2"},
        {"a gateway whose web server hangs", NatPmp::Silent, Http::Hangs, Http::None, Mapping::None, "", ""},
        {"NAT-PMP answered in pieces", NatPmp::Pieces, Http::None, Http::None, Mapping::None, "", ""},
        {"NAT-PMP of another version", NatPmp::OtherVersion, Http::None, Http::None, Mapping::None, "", ""},
        {"NAT-PMP answering another question", NatPmp::OtherOpcode, Http::None, Http::None, Mapping::None, "", ""},
        {"NAT-PMP result 1: another version", NatPmp::ResultOne, Http::None, Http::None, Mapping::None, "", ""},
        {"NAT-PMP flooding with what is refused", NatPmp::Flood, Http::None, Http::None, Mapping::None, "", ""},
        {"NAT-PMP slow but in time", NatPmp::Slow, Http::None, Http::None, Mapping::NatPmp, "45.67.89.1", ""},
    };
    for (const Case& c : cases) {
        Fake fake{c.natPmp, c.gateway, c.second};
        const auto router = makeHomeRouter(fake.start());
        const auto started = std::chrono::steady_clock::now();
        const Router::Found found = router->find(2000ms);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 2300ms) << c.name;
        EXPECT_EQ(found.mapping, c.mapping) << c.name;
        EXPECT_EQ(found.externalAddress, c.external) << c.name;
        EXPECT_EQ(found.otherDevice, c.other) << c.name;
        EXPECT_LE(fake.natPmpRequests, 5) << c.name;
    }
}

TEST(RouterLook, AForwardIsCheckedReadBackAndTakenBack)
{
    struct Case {
        const char* name;
        NatPmp natPmp;
        Http gateway;
        int externalPort;
        std::chrono::seconds lease;
        int deletes;  // UPnP's
    };
    const Case cases[] = {
        {"UPnP, its lease read back", NatPmp::Closed, Http::Right, 21300, 3600s, 1},
        {"UPnP for good: taken back at once", NatPmp::Closed, Http::Permanent, 0, 0s, 1},
        {"NAT-PMP, the lifetime it grants", NatPmp::Right, Http::None, 21300, 3600s, 0},
        {"NAT-PMP answering about another port", NatPmp::OtherPort, Http::None, 0, 0s, 0},
    };
    for (const Case& c : cases) {
        Fake fake{c.natPmp, c.gateway, Http::None};
        const auto router = makeHomeRouter(fake.start());
        const Router::Found found = router->find(2000ms);
        const auto started = std::chrono::steady_clock::now();
        const Router::Forwarded forwarded = router->forward(found, ipxPort(21300), 4h);
        router->remove(found, ipxPort(21300), forwarded);
        EXPECT_LT(std::chrono::steady_clock::now() - started, 4500ms) << c.name;
        EXPECT_EQ(forwarded.externalPort, c.externalPort) << c.name << ": " << int(forwarded.refusal);
        EXPECT_EQ(forwarded.lease, c.lease) << c.name;
        EXPECT_EQ(fake.deletes, c.deletes) << c.name;
    }
}
#endif
