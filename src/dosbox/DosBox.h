#pragma once
// The game and its network driver are DOS programs. Where the system cannot
// run one (Linux, 64-bit Windows), the launcher starts it in DOSBox, which
// mounts the program's folder as drive C:, runs it and ends with it. Both
// platforms build DOSBox's arguments here, so they start it alike.
//
// Every start hands DOSBox a small configuration file of the launcher's own,
// loaded after the player's own configuration (and after a dosbox.conf
// beside the program): the player's display, speed and mixer settings still
// apply, and only what the launcher knows better is its own. That is the PC
// the game's settings name (its Sound Blaster, its modem's interrupt, no
// joystick where the game is not played with one) and, for a network game,
// DOSBox's network: its IPX network, tunnelled over UDP to a server that one
// of the players' DOSBoxes runs, or its modem on a COM port, which dials and
// answers over TCP. Commands that connect the IPX network run before the
// program.

#include "dosbox/Display.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dosbox {

// Ports an ordinary user may open: DOSBox's own defaults (213 for IPX, 23 for
// the modem) are below 1024, which only the administrator may open on Linux.
inline constexpr int DefaultIpxPort = 21300;    // UDP
inline constexpr int DefaultModemPort = 23000;  // TCP
// DOSBox emulates serial ports COM1 to COM4, each at its standard address.
inline constexpr int LastSerialPort = 4;
bool emulatesSerialPort(int comPort);
// The I/O address of COM1 to COM4 in DOSBox; 0 for any other port.
int serialPortAddress(int comPort);
// Whether DOSBox can emulate a Sound Blaster at I/O address `base` (0x220,
// 0x240, ...); it takes any other address for 0x220.
bool emulatesSoundBlasterAt(int base);
// Whether its Sound Blaster 16 takes interrupt `irq` (2 stands for 9), and
// the 8-bit and 16-bit DMA channels.
bool emulatesSoundBlasterIrq(int irq);
bool emulatesSoundBlasterDma8(int dma);
bool emulatesSoundBlasterDma16(int dma);
// Why DOSBox cannot mount `folder` (a full path) as a drive, or empty text
// when it can: its mount command loses a folder whose name holds a double
// quote or a percent sign, runs what follows a control character (a line
// break) as commands of its own, and overflows on one longer than 238 bytes.
std::string mountProblem(std::string_view folder);
// A short name that stands for `folder` in the launcher's own folder, where
// DOSBox cannot mount the folder itself; the same folder always gets the
// same name.
std::string mountName(std::string_view folder);

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

// The PC the game's settings name, as far as DOSBox emulates it. What is
// not given stays as DOSBox has it (the player's configuration, or DOSBox's
// own default).
struct Hardware {
    struct SoundBlaster {
        std::optional<int> base;  // I/O address, such as 0x220
        std::optional<int> irq;
        std::optional<int> dma;   // the 8-bit channel
        std::optional<int> hdma;  // the 16-bit channel
    };
    std::optional<SoundBlaster> soundBlaster;  // a Sound Blaster 16; none leaves DOSBox's card alone
    std::optional<int> modemIrq;               // the interrupt of a network game's modem port
    std::optional<bool> joystick;              // false: DOSBox emulates no joystick
    bool cdAudio = false;                      // the game plays its music from its CD, drive D:
};

// What a program started in DOSBox receives besides itself; empty for a
// program that needs nothing of the launcher's.
struct Setup {
    std::string configurationFile;      // a full path, loaded after the player's own configuration
    std::vector<std::string> commands;  // run in order before the program
    std::string logFile;                // a full path: DOSBox's own output goes there, replacing it
    bool empty() const { return configurationFile.empty() && commands.empty() && logFile.empty(); }
};

// The launcher's configuration file for a start with `network` (Kind::None
// for a game alone) on `hardware`, showing the game as `display` says: its
// text, and its name in the launcher's own folder. The name differs wherever the text does, so two
// launchers starting at once never read each other's.
struct Configuration {
    std::string name;
    std::string text;
};
Configuration configuration(const Network& network, const Hardware& hardware = {}, const Display& display = {});
// The commands that connect the IPX network before the program runs.
std::vector<std::string> commands(const Network& network);

// What DOSBox receives after its own name to run `program`, a full path.
// `localConfiguration` is a dosbox.conf beside the program, which DOSBox
// would read by itself were it not given the launcher's.
std::vector<std::string> arguments(const std::string& program, const Setup& setup = {},
                                   const std::string& localConfiguration = {});

// An IPX server to join, as the player types it: "host" or "host:port".
struct Address {
    std::string host;
    int port = DefaultIpxPort;
    std::string problem;  // why the text is refused; empty when it is usable
};
// Takes a host name or an IPv4 address (DOSBox's IPX network knows no
// other), optionally followed by ":" and a port; blanks and control
// characters around it are ignored.
Address parseAddress(std::string_view text);

}  // namespace dosbox
