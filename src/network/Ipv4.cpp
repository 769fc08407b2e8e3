#include "network/Ipv4.h"

#include "core/Text.h"

namespace ipv4 {

std::optional<std::uint32_t> parse(std::string_view text)
{
    const auto parts = text::splitFields(text, '.');
    if (parts.size() != 4)
        return std::nullopt;
    std::uint32_t address = 0;
    for (const std::string& part : parts) {
        if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0'))
            return std::nullopt;
        std::uint32_t value = 0;
        for (const char c : part) {
            if (c < '0' || c > '9')
                return std::nullopt;
            value = value * 10 + std::uint32_t(c - '0');
        }
        if (value > 255)
            return std::nullopt;
        address = address << 8 | value;
    }
    return address;
}

std::string format(std::uint32_t address)
{
    return std::to_string(address >> 24) + "." + std::to_string(address >> 16 & 0xff) + "." +
           std::to_string(address >> 8 & 0xff) + "." + std::to_string(address & 0xff);
}

bool isLoopback(std::uint32_t address) { return address >> 24 == 127; }

Reach reachOf(std::string_view text)
{
    const auto address = parse(text);
    if (!address)
        return Reach::Nobody;
    const auto in = [&](std::uint32_t network, int bits) { return *address >> (32 - bits) == network >> (32 - bits); };
    if (in(0x0a000000, 8) || in(0xac100000, 12) || in(0xc0a80000, 16))
        return Reach::Private;
    if (in(0x64400000, 10))
        return Reach::Shared;
    // "This network", loopback, link-local (a computer that got no address),
    // the ranges kept for documentation (192.0.2/24, 198.51.100/24,
    // 203.0.113/24) and for benchmarks (198.18/15), multicast and reserved:
    // none of them is anyone's address on the internet.
    if (in(0, 8) || isLoopback(*address) || in(0xa9fe0000, 16) || in(0xc0000200, 24) || in(0xc6336400, 24) ||
        in(0xcb007100, 24) || in(0xc6120000, 15) || *address >> 28 >= 0xe)
        return Reach::Nobody;
    return Reach::Internet;
}

}  // namespace ipv4
