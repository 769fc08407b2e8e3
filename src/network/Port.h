#pragma once
// A port of this computer together with its protocol, as a game opens it:
// the IPX server on UDP, the modem waiting for a call on TCP. The two always
// go together, in the windows as in what the router is asked.

#include <string>

enum class Protocol { Udp, Tcp };

inline const char* protocolName(Protocol protocol) { return protocol == Protocol::Udp ? "UDP" : "TCP"; }

struct Port {
    Protocol protocol = Protocol::Udp;
    int number = 0;
    friend bool operator==(const Port&, const Port&) = default;
};

// How the launcher's sentences name a port: "UDP port 21300".
inline std::string portText(const Port& port)
{
    return std::string(protocolName(port.protocol)) + " port " + std::to_string(port.number);
}

// DOSBox's IPX server takes its players over UDP; its modem takes calls over
// TCP.
inline Port ipxPort(int number) { return {Protocol::Udp, number}; }
inline Port modemPort(int number) { return {Protocol::Tcp, number}; }
