#pragma once
// IPv4 addresses as text, read and classified once for the whole launcher:
// the address a player types to join, the addresses a router tells, and the
// ones the sockets use. DOSBox's network knows IPv4 only.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ipv4 {

// The address in host order from four decimal parts up to 255, or nothing.
// A part with a leading zero ("010") is refused: a resolver reads it as
// octal and would reach another computer than the one the player meant.
std::optional<std::uint32_t> parse(std::string_view text);
// The dotted text of an address in host order.
std::string format(std::uint32_t address);

// Who can reach an IPv4 address.
enum class Reach {
    Internet,  // anyone on the internet
    Private,   // a home or company network's own (10/8, 172.16/12, 192.168/16)
    Shared,    // an internet provider's, shared among its customers (100.64/10)
    Nobody,    // no address to join at: not an address, this computer's own, unset, ...
};
Reach reachOf(std::string_view address);
// This computer's own loopback (127/8): never an address to join at.
bool isLoopback(std::uint32_t address);

}  // namespace ipv4
