#pragma once
// The network launch file, .\ENGINE\COMMIT.DAT: what the network driver reads
// to set up a game. Its content depends only on the values below, so it is
// built here as bytes and checked without windows or files.

#include "core/GameFiles.h"

#include <string>
#include <string_view>

namespace launchfile {

inline constexpr const char* Path = gamefiles::LaunchFile;

struct IpxGame {
    int playerCountIndex = 0;  // entry of the player-count list; 0 is "2 Players"
    std::string socket;        // as typed, unchecked
};

struct ModemGame {
    bool call = true;          // false: wait for the opponent's call
    int dialingIndex = 1;      // 0 pulse, 1 tone
    int comPortIndex = 1;      // entry of the COM port list, -1 when none is selected
    bool advanced = false;     // "Advance Settings": without it IRQ and UART are "~"
    std::string irq, uart, initString, phoneNumber;
};

// Every line ends in CR LF, the last one too.
std::string ipxLines(const IpxGame& game);
std::string modemLines(const ModemGame& game);

}  // namespace launchfile
