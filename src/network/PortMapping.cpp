#include "network/PortMapping.h"

#include "network/Ipv4.h"
#include "network/NatPmp.h"
#include "network/Sockets.h"

#include "core/Text.h"

#include <future>
#include <mutex>
#include <thread>

namespace {
using network::Clock;
using network::Deadline;
using network::within;
using std::chrono::milliseconds;
using Mapping = Router::Found::Mapping;
using Refusal = Router::Refusal;

// How long a request to forward, or to take a forwarding back, may take.
constexpr milliseconds AskTimeout(2000);
// How long devices have to answer the search: they answer within a second.
constexpr milliseconds SearchTime(1000);

// A router without a connection tells 0.0.0.0 or nothing; some pad it.
std::string knownAddress(std::string_view address)
{
    address = text::trimControl(address);
    return address == "0.0.0.0" ? std::string() : std::string(address);
}

upnp::Gateway upnpOf(const Router::Found& found) { return {found.controlUrl, found.serviceType, ""}; }

class HomeRouter : public Router {
public:
    explicit HomeRouter(RouterPlaces places) : places_(std::move(places)) {}

    Found find(milliseconds timeout) override
    {
        std::shared_future<Found> look;
        {
            const std::lock_guard lock(mutex_);
            if (!look_.valid() || look_.wait_for(milliseconds(0)) == std::future_status::ready) {
                // On a thread of its own, which no one waits for once the
                // launcher ends.
                const Deadline deadline = Clock::now() + timeout;
                // The task keeps what it needs, not the router, which keeps
                // the task's result.
                std::packaged_task<Found()> task([places = places_, deadline] { return lookUntil(places, deadline); });
                look_ = task.get_future().share();
                std::thread(std::move(task)).detach();
            }
            look = look_;
        }
        return look.get();
    }

    Forwarded forward(const Found& found, Port port, std::chrono::seconds lease) override
    {
        const Deadline deadline = Clock::now() + AskTimeout;
        // The address as it is now: the computer may have changed networks
        // or been given another address since the look.
        const std::string device = deviceOf(found);
        std::string local = sockets::localAddressToward(device);
        if (local.empty())
            local = found.localAddress;
        if (found.mapping == Mapping::NatPmp) {
            const auto answer = natpmp::map(device, places_.natPmpPort, port, port.number, lease, deadline);
            if (!answer)
                return {0, Refusal::Silent};
            if (answer->result != 0)
                return {0, natpmp::refusal(answer->result), answer->result};
            if (answer->lifetime.count() == 0) {  // for good: taken back at once
                natpmp::map(device, places_.natPmpPort, port, 0, std::chrono::seconds(0), deadline);
                return {0, Refusal::ForGood};
            }
            return {answer->externalPort, Refusal::None, 0, answer->lifetime};
        }
        if (found.mapping != Mapping::Upnp)
            return {0, Refusal::NoRouter};
        const auto mapping = within<upnp::Mapping>(
            deadline, [gateway = upnpOf(found), port, local, lease] { return upnp::add(gateway, port, local, lease); });
        if (!mapping) {
            // It may still forward once it wakes: take that back too.
            within<bool>(Clock::now(), [gateway = upnpOf(found), port] {
                upnp::remove(gateway, port, port.number);
                return true;
            });
            return {0, Refusal::Late};
        }
        if (mapping->externalPort == 0)
            return {0, upnp::refusal(mapping->code), mapping->code};
        return {mapping->externalPort, Refusal::None, 0, mapping->lease};
    }

    void remove(const Found& found, Port port, const Forwarded& forwarded) override
    {
        if (forwarded.externalPort == 0)
            return;
        const Deadline deadline = Clock::now() + AskTimeout;
        if (found.mapping == Mapping::NatPmp)
            natpmp::map(found.natPmpAddress, places_.natPmpPort, port, 0, std::chrono::seconds(0), deadline);
        else if (found.mapping == Mapping::Upnp)
            within<bool>(deadline, [gateway = upnpOf(found), port, external = forwarded.externalPort] {
                upnp::remove(gateway, port, external);
                return true;
            });
    }

private:
    static std::string deviceOf(const Found& found)
    {
        return found.mapping == Mapping::NatPmp ? found.natPmpAddress : upnp::hostOf(found.controlUrl);
    }

    // The default gateway through UPnP first, then through NAT-PMP, and only
    // where neither answers another UPnP device: an old router kept as an
    // access point may answer too, but forwards nothing from the internet.
    static Found lookUntil(const RouterPlaces& places, Deadline deadline)
    {
        sockets::start();
        const std::string gateway = places.gateway.empty() ? sockets::defaultGateway() : places.gateway;
        // NAT-PMP is asked meanwhile, on a thread no one waits for where
        // the gateway answers UPnP.
        std::future<std::optional<natpmp::Answer>> natPmp;
        if (!gateway.empty()) {
            std::packaged_task<std::optional<natpmp::Answer>()> task([gateway, port = places.natPmpPort, deadline] {
                return natpmp::externalAddress(gateway, port, deadline);
            });
            natPmp = task.get_future();
            std::thread(std::move(task)).detach();
        }
        const std::string from = gateway.empty() ? sockets::homeAddress() : sockets::localAddressToward(gateway);
        const auto devices =
            from.empty() ? std::vector<std::string>()
                         : upnp::search(from, places.search, gateway, std::min(deadline, Clock::now() + SearchTime));
        auto described = devices.begin();
        Found found;
        if (described != devices.end() && upnp::hostOf(*described) == gateway)
            found = upnpAt(*described++, gateway, deadline);
        if (found.mapping == Mapping::None && natPmp.valid()) {
            const auto answer = natPmp.get();
            if (answer && answer->result != natpmp::UnsupportedVersion) {
                found.mapping = Mapping::NatPmp;
                found.natPmpAddress = gateway;
                found.externalAddress = knownAddress(answer->externalAddress);
            }
        }
        for (; found.mapping == Mapping::None && described != devices.end(); ++described)
            found = upnpAt(*described, gateway, deadline);
        const std::string device = deviceOf(found);
        found.localAddress = device.empty() ? sockets::homeAddress() : sockets::localAddressToward(device);
        if (found.localAddress.empty())
            found.localAddress = sockets::homeAddress(device);
        return found;
    }

    // The internet gateway described at `url`, where it answers in time.
    static Found upnpAt(const std::string& url, const std::string& gateway, Deadline deadline)
    {
        Found found;
        const auto described = within<std::optional<upnp::Gateway>>(deadline, [url] { return upnp::describe(url); });
        if (!described || !*described)
            return found;
        found.mapping = Mapping::Upnp;
        found.controlUrl = (*described)->controlUrl;
        found.serviceType = (*described)->serviceType;
        found.externalAddress = knownAddress((*described)->externalAddress);
        const std::string host = upnp::hostOf(found.controlUrl);
        if (host != gateway)
            found.otherDevice = host;
        return found;
    }

    const RouterPlaces places_;
    std::mutex mutex_;
    std::shared_future<Found> look_;  // the look running, or the last one
};
}  // namespace

std::shared_ptr<Router> makeHomeRouter(RouterPlaces places) { return std::make_shared<HomeRouter>(std::move(places)); }
