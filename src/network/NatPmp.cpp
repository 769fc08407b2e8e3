#include "network/NatPmp.h"

#include "network/Ipv4.h"
#include "network/Sockets.h"

#include <cstdint>

namespace natpmp {

namespace {
// Every answer sets this bit on the opcode it answers.
constexpr unsigned char AnswerFlag = 128;
// What every answer begins with: version (byte 0), opcode (1), result code
// (2 and 3), then the router's seconds since it started (4 to 7).
constexpr std::size_t HeaderSize = 8;
// The address answer adds the external address (8 to 11); the mapping
// answer the internal port (8, 9), the external port (10, 11) and the
// lifetime granted (12 to 15).
constexpr std::size_t AddressAnswerSize = 12, MappingAnswerSize = 16;

// Numbers go most significant byte first.
std::uint32_t readBigEndian(const std::string& bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void appendBigEndian(std::string& bytes, std::uint32_t value, std::size_t size)
{
    for (std::size_t i = size; i-- > 0;)
        bytes += char((value >> (8 * i)) & 0xff);
}

// An answer of version 0 to `opcode`: in full where it succeeded (a refusal
// may carry the header alone), and for a mapping about `internalPort`, so
// a late answer to another request is never taken for this one's.
std::optional<Answer> ask(const std::string& gateway, int serverPort, const std::string& request,
                          network::Deadline deadline, std::size_t fullSize, int internalPort)
{
    const unsigned char opcode = static_cast<unsigned char>(request[1]);
    const auto answer = sockets::askOverUdp(gateway, serverPort, request, deadline, [&](const std::string& a) {
        if (a.size() < HeaderSize || a[0] != 0 || static_cast<unsigned char>(a[1]) != (AnswerFlag | opcode))
            return false;
        if (a.size() >= MappingAnswerSize && internalPort && int(readBigEndian(a, 8, 2)) != internalPort)
            return false;
        return readBigEndian(a, 2, 2) != 0 || a.size() >= fullSize;
    });
    if (!answer)
        return std::nullopt;
    Answer read;
    read.result = int(readBigEndian(*answer, 2, 2));
    if (read.result != 0)
        return read;
    if (fullSize == AddressAnswerSize) {
        read.externalAddress = ipv4::format(readBigEndian(*answer, 8, 4));
    } else {
        read.externalPort = int(readBigEndian(*answer, 10, 2));
        read.lifetime = std::chrono::seconds(readBigEndian(*answer, 12, 4));
    }
    return read;
}
}  // namespace

std::optional<Answer> externalAddress(const std::string& gateway, int serverPort, network::Deadline deadline)
{
    return ask(gateway, serverPort, std::string{char(0), char(0)}, deadline, AddressAnswerSize, 0);
}

std::optional<Answer> map(const std::string& gateway, int serverPort, Port port, int externalPort,
                          std::chrono::seconds lifetime, network::Deadline deadline)
{
    std::string request{char(0), char(port.protocol == Protocol::Udp ? 1 : 2)};
    appendBigEndian(request, 0, 2);  // reserved
    appendBigEndian(request, std::uint32_t(port.number), 2);
    appendBigEndian(request, std::uint32_t(externalPort), 2);
    appendBigEndian(request, std::uint32_t(lifetime.count()), 4);
    return ask(gateway, serverPort, request, deadline, MappingAnswerSize, port.number);
}

Router::Refusal refusal(int result)
{
    using Refusal = Router::Refusal;
    switch (result) {
    case UnsupportedVersion:
        return Refusal::OtherVersion;
    case 2:
        return Refusal::NotAllowed;
    case 3:
        return Refusal::NotConnected;
    case 4:
        return Refusal::NoPortLeft;
    case 5:
        return Refusal::UnknownRequest;
    default:
        return Refusal::NatPmpResult;
    }
}

}  // namespace natpmp
