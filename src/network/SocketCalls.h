#pragma once
// The system's socket calls under one set of names, for the files of
// network/ only: Winsock and the POSIX sockets differ in little more than
// the handle's type and how it is closed.

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
#endif

#include "network/Deadline.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sockets {

#ifdef _WIN32
using Handle = SOCKET;
inline const Handle NoSocket = INVALID_SOCKET;
#else
using Handle = int;
inline const Handle NoSocket = -1;
#endif
void closeHandle(Handle handle);  // in the system's half

class Socket {
public:
    explicit Socket(int type) : handle_(::socket(AF_INET, type, 0)) {}
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

// An IPv4 socket address from dotted text, or nothing.
std::optional<sockaddr_in> socketAddress(const std::string& text, int port);
std::string addressText(const in_addr& address);
// Whether `handle` has something to read before `deadline`.
bool readableBefore(Handle handle, network::Deadline deadline);

}  // namespace sockets
