#include "multiplayer/LaunchFile.h"

#include "core/Text.h"

namespace launchfile {

namespace {
void line(std::string& out, std::string_view text)
{
    out += text::withoutLineBreaks(text);
    out += "\r\n";
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
}  // namespace

std::string ipxLines(const IpxGame& game)
{
    std::string out;
    line(out, "[COMMIT]");
    line(out, "COMMTYPE = 3");
    line(out, "NUMPLAYERS = " + std::to_string(game.playerCountIndex + 2));
    line(out, "PAUSE = 0");
    line(out, "VECTOR = ~");
    line(out, "SOCKETNUMBER = " + game.socket);
    line(out, "LAUNCHNAME = \"GAME.EXE\"");
    line(out, "SHOWSTATS = 0");
    return out;
}

std::string modemLines(const ModemGame& game)
{
    std::string out;
    line(out, "[COMMIT]");
    line(out, "COMMTYPE = 2");
    line(out, game.call ? "CONNECTTYPE = 0" : "CONNECTTYPE = 1");
    line(out, "NUMPLAYERS = 2");
    line(out, "PAUSE = 0");
    line(out, "USETONE = " + std::to_string(game.dialingIndex));
    line(out, "COMPORT = " + std::to_string(game.comPortIndex + 1));
    line(out, "IRQNUMBER = " + (game.advanced ? game.irq : std::string("~")));
    line(out, "UARTADDRESS = " + (game.advanced ? game.uart : std::string("~")));
    line(out, "PORTSPEED = 9600");
    line(out, "INITSTRING = " + quoted(game.initString));
    line(out, "HANGUPSTRING = \"ATH0=0\"");
    // Waiting for a call dials nobody, whatever the number field holds.
    line(out, "PHONENUMBER = " + quoted(game.call ? game.phoneNumber : std::string()));
    line(out, "LAUNCHNAME = \"GAME.EXE\"");
    line(out, "SHOWSTATS = 0");
    return out;
}

}  // namespace launchfile
