#include "network/Upnp.h"

#include "network/Sockets.h"

#include "core/Text.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>

#include <algorithm>
#include <cstdlib>

namespace upnp {

namespace {
// What the router lists as the forwarding's owner.
const char* const Description = "Vornhale Launcher";
// A port forwarded to another computer already: the next ports are asked for.
constexpr int NextPortsTried = 8;
// UPnP's error for a port forwarded to another computer already.
constexpr int PortTaken = 718;

std::string searchFor(const SearchPlace& place, const char* kind)
{
    // MX 1: each device answers within a second, at a moment of its choosing.
    return "M-SEARCH * HTTP/1.1\r\nHOST: " + place.address + ":" + std::to_string(place.port) +
           "\r\nMAN: \"ssdp:discover\"\r\nMX: 1\r\nST: " + kind + "\r\n\r\n";
}

// The LOCATION header of an answer to the search, or "".
std::string location(const std::string& answer)
{
    if (!text::startsWithFolded(answer, "HTTP/1.1 200"))
        return {};
    for (const std::string& line : text::splitLines(answer)) {
        if (text::startsWithFolded(line, "LOCATION:"))
            return std::string(text::trimControl(std::string_view(line).substr(9)));
    }
    return {};
}
}  // namespace

std::string hostOf(const std::string& url)
{
    const auto start = url.find("://");
    if (start == std::string::npos)
        return {};
    const auto host = url.substr(start + 3);
    return host.substr(0, host.find_first_of(":/"));
}

std::vector<std::string> search(const std::string& from, const SearchPlace& place, const std::string& gateway,
                                network::Deadline until)
{
    std::vector<std::string> found;
    const std::vector<std::string> requests = {
        searchFor(place, "urn:schemas-upnp-org:device:InternetGatewayDevice:1"),
        searchFor(place, "urn:schemas-upnp-org:service:WANIPConnection:1"),
        searchFor(place, "urn:schemas-upnp-org:service:WANPPPConnection:1"),
    };
    sockets::gather(from, place.address, place.port, requests, until,
                    [&](const std::string& answer, const std::string&) {
                        const std::string url = location(answer);
                        if (url.empty() || std::find(found.begin(), found.end(), url) != found.end())
                            return false;
                        found.push_back(url);
                        return !gateway.empty() && hostOf(url) == gateway;
                    });
    std::stable_partition(found.begin(), found.end(),
                          [&](const std::string& url) { return !gateway.empty() && hostOf(url) == gateway; });
    return found;
}

std::optional<Gateway> describe(const std::string& descriptionUrl)
{
    UPNPUrls urls{};
    IGDdatas data{};
    char lan[64] = "";
    if (UPNP_GetIGDFromUrl(descriptionUrl.c_str(), &urls, &data, lan, sizeof lan) != 1)
        return std::nullopt;
    Gateway gateway;
    gateway.controlUrl = urls.controlURL ? urls.controlURL : "";
    gateway.serviceType = data.first.servicetype;
    FreeUPNPUrls(&urls);
    // A device without a connection service forwards nothing.
    if (gateway.controlUrl.empty() || gateway.serviceType.empty())
        return std::nullopt;
    char external[40] = "";
    if (UPNP_GetExternalIPAddress(gateway.controlUrl.c_str(), gateway.serviceType.c_str(), external) ==
        UPNPCOMMAND_SUCCESS)
        gateway.externalAddress = std::string(text::trimControl(external));
    return gateway;
}

Mapping add(const Gateway& gateway, Port port, const std::string& internalClient, std::chrono::seconds lease)
{
    const std::string internal = std::to_string(port.number), duration = std::to_string(lease.count());
    const char* const protocol = protocolName(port.protocol);
    const char* const control = gateway.controlUrl.c_str();
    const char* const service = gateway.serviceType.c_str();
    int code = UPNPCOMMAND_UNKNOWN_ERROR;
    for (int external = port.number; external <= port.number + NextPortsTried && external <= 65535; ++external) {
        const std::string externalText = std::to_string(external);
        code = UPNP_AddPortMapping(control, service, externalText.c_str(), internal.c_str(), internalClient.c_str(),
                                   Description, protocol, nullptr, duration.c_str());
        if (code == PortTaken)
            continue;
        if (code != UPNPCOMMAND_SUCCESS)
            break;
        // Some routers ignore the lease and forward for good; read back what
        // this one granted. Where it does not tell, it took the lease asked.
        char client[16] = "", toPort[6] = "", description[80] = "", enabled[4] = "", granted[16] = "";
        if (UPNP_GetSpecificPortMappingEntry(control, service, externalText.c_str(), protocol, nullptr, client, toPort,
                                             description, enabled, granted) != UPNPCOMMAND_SUCCESS)
            return {external, 0, lease};
        if (std::string_view(text::trimControl(granted)) == "0") {
            remove(gateway, port, external);
            return {0, ForGood, {}};
        }
        return {external, 0, std::chrono::seconds(std::atol(granted))};
    }
    return {0, code, {}};
}

void remove(const Gateway& gateway, Port port, int externalPort)
{
    UPNP_DeletePortMapping(gateway.controlUrl.c_str(), gateway.serviceType.c_str(),
                           std::to_string(externalPort).c_str(), protocolName(port.protocol), nullptr);
}

Router::Refusal refusal(int code)
{
    using Refusal = Router::Refusal;
    switch (code) {
    case 606:
        return Refusal::NotAllowed;
    case PortTaken:
        return Refusal::PortTaken;
    case ForGood:
        return Refusal::ForGood;
    case 728:
        return Refusal::NoPortLeft;
    case 729:
        return Refusal::HeldBySetting;
    case UPNPCOMMAND_HTTP_ERROR:
    case UPNPCOMMAND_INVALID_RESPONSE:
    case UPNPCOMMAND_UNKNOWN_ERROR:
        return Refusal::Unusable;
    default:
        return Refusal::UpnpError;
    }
}

}  // namespace upnp
