#pragma once
// The game and its network driver are DOS programs. Where the system cannot
// run one (Linux, 64-bit Windows), the launcher starts it in DOSBox, which
// mounts the program's folder as drive C:, runs it and ends with it. Both
// platforms build DOSBox's arguments here, so they start it alike.
//
// A network game also needs DOSBox's network: its IPX network, tunnelled over
// UDP to a server that one of the players' DOSBoxes runs, or its modem on a
// COM port, which dials and answers over TCP. The launcher writes those
// settings into a small configuration file of its own, which DOSBox loads
// after the player's own configuration: the player's display, sound and
// speed settings still apply, and only the network ones are the launcher's.
// Commands that connect the IPX network run before the program.

#include <string>
#include <string_view>
#include <vector>

namespace dosbox {

// Ports an ordinary user may open: DOSBox's own defaults (213 for IPX, 23 for
// the modem) are below 1024, which only the administrator may open on Linux.
inline constexpr int DefaultIpxPort = 21300;    // UDP
inline constexpr int DefaultModemPort = 23000;  // TCP
// DOSBox emulates serial ports COM1 to COM4.
inline constexpr int LastSerialPort = 4;

// The network a network game's driver needs from DOSBox.
struct Network {
    enum class Kind {
        None,     // nothing: DOSBox starts as for any other program
        IpxHost,  // run the IPX server on this computer and join it
        IpxJoin,  // join the IPX server at `host`
        Modem,    // a modem on `comPort` that answers on `port`
    };
    Kind kind = Kind::None;
    std::string host;
    int port = 0;     // the IPX server's UDP port, or the TCP port the modem answers on
    int comPort = 0;  // 1 to 4
};

// What a program started in DOSBox receives besides itself; empty for a
// program that needs nothing of the launcher's.
struct Setup {
    std::string configurationFile;      // a full path, loaded after the player's own configuration
    std::vector<std::string> commands;  // run in order before the program
    bool empty() const { return configurationFile.empty() && commands.empty(); }
};

// The launcher's configuration for `network`: the text of its file, empty
// when DOSBox needs none (no network, or a COM port DOSBox does not have).
std::string configuration(const Network& network);
// The name of that file in the launcher's own folder (empty with the text).
// It differs wherever the text does, so two launchers starting at once never
// read each other's.
std::string configurationName(const Network& network);
// The commands that connect the IPX network before the program runs.
std::vector<std::string> commands(const Network& network);

// What DOSBox receives after its own name to run `program`, a full path.
std::vector<std::string> arguments(const std::string& program, const Setup& setup = {});

// An IPX server to join, as the player types it: "host" or "host:port".
struct Address {
    std::string host;
    int port = DefaultIpxPort;
    std::string problem;  // why the text is refused; empty when it is usable
};
// Takes a host name or an IPv4 address (DOSBox's IPX network knows no
// other), optionally followed by ":" and a port; blanks around it are
// ignored.
Address parseAddress(std::string_view text);

}  // namespace dosbox
