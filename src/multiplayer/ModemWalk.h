#pragma once
// Finding the modems the operating system has installed, and reading the one
// the user picks, from the registry's modem class key below
// HKEY_LOCAL_MACHINE. Nothing here writes to the registry.
//
// Every installed modem has a numbered subkey ("0000", "0001", ...) holding
// "AttachedTo" (its port, "COM2") and "DriverDesc" (its name), and below it
// an "Init" key whose values "2" and "1" are modem commands that may carry a
// "<cr>" marker. Every value is read into a buffer of 127 bytes, and a
// longer value counts as unreadable: it is never cut short into a port or a
// modem command that was not there.
//
// Standard library only (plus the Registry interface), so the walk also
// builds into the Windows test program.
//
//     std::vector<modemwalk::Modem> found = modemwalk::findModems(registry);
//     // show found[i].description; when the user picks entry i:
//     if (auto setup = modemwalk::readSetup(registry, found[i].number)) ...

#include "platform/Platform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modemwalk {

inline constexpr const char* ModemClassKey = "System\\CurrentControlSet\\Services\\Class\\Modem\\";
inline constexpr unsigned long ValueSpace = 127;  // bytes, the terminating zero included

// "System\...\Modem\0003\" (four digits at least, ending in a backslash).
std::string modemKeyPath(int number);
// "System\...\Modem\0003\Init" (no backslash at the end).
std::string initKeyPath(int number);

struct Modem {
    int number;               // its numbered subkey
    std::string description;  // "DriverDesc", unchanged
};

// Walks the numbered subkeys from 0000 upwards until the first one that does
// not open, and returns, in that order, the modems attached to COM1 to COM8
// whose description can be read. Every key opened is closed again.
std::vector<Modem> findModems(Registry& registry);

// What picking a modem changes in the modem setup.
struct Setup {
    int comPortIndex;                      // entry of the COM port list: port number - 1
    std::optional<std::string> initString; // none when the Init key does not open
};

// Reads the port of modem `number` and its init command ("2", else "1", with
// its first "<cr>" removed). Nothing when the modem key does not open, its
// port cannot be read, or its Init key opens but holds neither command.
std::optional<Setup> readSetup(Registry& registry, int number);

// Reading of the port digit: leading blanks skipped, then decimal digits up
// to the first other character; 0 when there is none.
int lenientInt(std::string_view text);

// The text without its first "<cr>" (exact case); later ones stay.
std::string removeFirstCrMarker(std::string text);

}  // namespace modemwalk
