#include "network/PortMapping.h"

#include "network/Sockets.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

#include <cstdint>
#include <mutex>
#include <string>

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// What the router lists as the forwarding's owner.
const char* const Description = "Vornhale Launcher";
// A port forwarded to another computer already: the next ports are asked for.
constexpr int NextPortsTried = 8;
// How long a request to forward may take at most.
constexpr milliseconds ForwardTimeout(2000);

// UPnP's answers in plain words.
std::string upnpProblem(int code)
{
    switch (code) {
    case 606:
        return "it does not let this computer ask";
    case 718:
        return "the port is forwarded to another computer already";
    case 725:
        return "it forwards ports only for good, which the launcher never asks for";
    case 728:
        return "it has no port left to give";
    case 729:
        return "the port is held by another of its settings";
    case UPNPCOMMAND_HTTP_ERROR:
    case UPNPCOMMAND_INVALID_RESPONSE:
    case UPNPCOMMAND_UNKNOWN_ERROR:
        return "it gave no usable answer";
    default:
        if (const char* text = strupnperror(code))
            return "UPnP error " + std::to_string(code) + ", " + text;
        return "UPnP error " + std::to_string(code);
    }
}

// NAT-PMP: a question of a few bytes over UDP to the gateway's port 5351,
// all numbers most significant byte first.
namespace natpmp {
constexpr int Port = 5351;
constexpr unsigned char AnswerFlag = 128;

std::uint32_t number(const std::string& bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void append(std::string& bytes, std::uint32_t value, std::size_t size)
{
    for (std::size_t i = size; i-- > 0;)
        bytes += char((value >> (8 * i)) & 0xff);
}

// Version 0 and the opcode, then the request's own fields.
std::string request(unsigned char opcode) { return std::string{char(0), char(opcode)}; }

auto answerTo(unsigned char opcode, std::size_t size)
{
    return [opcode, size](const std::string& answer) {
        return answer.size() >= size && answer[0] == 0 &&
               static_cast<unsigned char>(answer[1]) == (AnswerFlag | opcode);
    };
}

int result(const std::string& answer) { return int(number(answer, 2, 2)); }

std::string problem(int result)
{
    switch (result) {
    case 2:
        return "it does not let this computer ask";
    case 3:
        return "it is not connected to the internet";
    case 4:
        return "it has no port left to give";
    default:
        return "NAT-PMP result " + std::to_string(result);
    }
}
}  // namespace natpmp

class HomeRouter : public Router {
public:
    Found find(milliseconds timeout) override
    {
        const std::lock_guard lock(mutex_);
        sockets::start();
        found_ = {};
        controlUrl_.clear();
        serviceType_.clear();
        gateway_.clear();
        const auto deadline = Clock::now() + timeout;
        // UPnP routers answer within a second when there is one; what is left
        // goes to NAT-PMP.
        if (!findUpnp(int(timeout.count() / 2)))
            findNatPmp(deadline);
        if (found_.localAddress.empty())
            found_.localAddress = sockets::localAddress();
        return found_;
    }

    Forwarded forward(Protocol protocol, int port, std::chrono::seconds lease) override
    {
        const std::lock_guard lock(mutex_);
        switch (found_.way) {
        case Found::Way::Upnp:
            return forwardUpnp(protocol, port, lease);
        case Found::Way::NatPmp:
            return forwardNatPmp(protocol, port, lease);
        case Found::Way::None:
            break;
        }
        return {0, "no router answered"};
    }

private:
    bool findUpnp(int waitMs)
    {
        // All searches go out at once, so a network without a router costs
        // one wait, not one per kind of device.
        static const char* const kinds[] = {
            "urn:schemas-upnp-org:device:InternetGatewayDevice:1",
            "urn:schemas-upnp-org:service:WANIPConnection:1",
            "urn:schemas-upnp-org:service:WANPPPConnection:1",
            nullptr,
        };
        int error = 0;
        UPNPDev* devices =
            upnpDiscoverDevices(kinds, waitMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2, &error, 1);
        if (!devices)
            return false;
        UPNPUrls urls{};
        IGDdatas data{};
        char lan[64] = "";
        const int igd = UPNP_GetValidIGD(devices, &urls, &data, lan, sizeof lan);
        freeUPNPDevlist(devices);
        // 1: a gateway connected to the internet; 2: one that says it is not,
        // which still forwards and may know better than it says.
        if (igd == 1 || igd == 2) {
            found_.way = Found::Way::Upnp;
            found_.localAddress = lan;
            controlUrl_ = urls.controlURL ? urls.controlURL : "";
            serviceType_ = data.first.servicetype;
            char external[40] = "";
            if (UPNP_GetExternalIPAddress(controlUrl_.c_str(), serviceType_.c_str(), external) == UPNPCOMMAND_SUCCESS)
                found_.externalAddress = knownAddress(external);
        }
        if (igd != 0)
            FreeUPNPUrls(&urls);
        return found_.way == Found::Way::Upnp;
    }

    void findNatPmp(Clock::time_point deadline)
    {
        const std::string gateway = sockets::defaultGateway();
        if (gateway.empty())
            return;
        const auto answer = sockets::ask(gateway, natpmp::Port, natpmp::request(0), deadline, natpmp::answerTo(0, 12));
        if (!answer)
            return;
        found_.way = Found::Way::NatPmp;
        found_.localAddress = sockets::localAddressToward(gateway);
        gateway_ = gateway;
        if (natpmp::result(*answer) == 0) {
            const std::uint32_t a = natpmp::number(*answer, 8, 4);
            found_.externalAddress = knownAddress(std::to_string(a >> 24) + "." + std::to_string(a >> 16 & 0xff) + "." +
                                                  std::to_string(a >> 8 & 0xff) + "." + std::to_string(a & 0xff));
        }
    }

    Forwarded forwardUpnp(Protocol protocol, int port, std::chrono::seconds lease)
    {
        const std::string internal = std::to_string(port), duration = std::to_string(lease.count());
        int code = UPNPCOMMAND_UNKNOWN_ERROR;
        for (int external = port; external <= port + NextPortsTried && external <= 65535; ++external) {
            code = UPNP_AddPortMapping(controlUrl_.c_str(), serviceType_.c_str(), std::to_string(external).c_str(),
                                       internal.c_str(), found_.localAddress.c_str(), Description,
                                       protocolName(protocol), nullptr, duration.c_str());
            if (code == UPNPCOMMAND_SUCCESS)
                return {external, ""};
            if (code != 718)
                break;
        }
        return {0, upnpProblem(code)};
    }

    Forwarded forwardNatPmp(Protocol protocol, int port, std::chrono::seconds lease)
    {
        const unsigned char opcode = protocol == Protocol::Udp ? 1 : 2;
        std::string request = natpmp::request(opcode);
        natpmp::append(request, 0, 2);  // reserved
        natpmp::append(request, std::uint32_t(port), 2);
        natpmp::append(request, std::uint32_t(port), 2);  // the external port wished for
        natpmp::append(request, std::uint32_t(lease.count()), 4);
        const auto answer = sockets::ask(gateway_, natpmp::Port, request, Clock::now() + ForwardTimeout,
                                         natpmp::answerTo(opcode, 16));
        if (!answer)
            return {0, "it gave no answer"};
        if (const int result = natpmp::result(*answer); result != 0)
            return {0, natpmp::problem(result)};
        return {int(natpmp::number(*answer, 10, 2)), ""};
    }

    // A router without a connection tells 0.0.0.0 or nothing.
    static std::string knownAddress(const std::string& address)
    {
        return address == "0.0.0.0" ? std::string() : address;
    }

    std::mutex mutex_;
    Found found_;
    std::string controlUrl_, serviceType_;  // UPnP
    std::string gateway_;                   // NAT-PMP
};
}  // namespace

std::shared_ptr<Router> makeHomeRouter() { return std::make_shared<HomeRouter>(); }
