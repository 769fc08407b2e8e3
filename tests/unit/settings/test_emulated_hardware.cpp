// The PC DOSBox emulates for the game: the settings file, read as the audio
// and misc dialogs would show it, turned into the launcher's configuration.
#include "settings/EmulatedHardware.h"

#include <gtest/gtest.h>

namespace {
using Kind = dosbox::Network::Kind;

// The configuration's sections for a settings file of `lines`.
std::string sections(const std::vector<std::string>& lines, const dosbox::Network& network = {})
{
    settings::LineBuffer buffer;
    for (const std::string& line : lines)
        buffer.append(line);
    const std::string text = dosbox::configuration(network, settings::emulatedHardware(buffer)).text;
    return text.substr(text.find('\n') + 1);
}

const std::string Sb16 = "[gus]\ngus=false\n[sblaster]\nsbtype=sb16\n";
const std::string NoJoystick = "[joystick]\njoysticktype=none\n";
}  // namespace

TEST(EmulatedHardware, DosBoxGetsTheCardPortInterruptChannelsAndJoystickTheSettingsName)
{
    struct Case {
        std::vector<std::string> lines;
        std::string expected;
    };
    const dosbox::Network none;
    const Case cases[] = {
        // Each card: "None" leaves the player's own card alone.
        {{"FXDevice = 13", "BlasterAddress = 0x240"}, ""},
        {{"FXDevice = 0"}, Sb16},
        {{"FXDevice = 6"}, Sb16},
        {{"FXDevice = 1"}, ""},  // shown as "None"
        {{"FXDevice = SB"}, ""},
        {{"BlasterAddress = 0x240"}, ""},
        // Each port: where DOSBox has no Sound Blaster, its own port stays.
        {{"FXDevice = 0", "BlasterAddress = 0x210"}, Sb16},
        {{"FXDevice = 0", "BlasterAddress = 0x220"}, Sb16 + "sbbase=220\n"},
        {{"FXDevice = 0", "BlasterAddress = 0x230"}, Sb16},
        {{"FXDevice = 0", "BlasterAddress = 0x240"}, Sb16 + "sbbase=240\n"},
        {{"FXDevice = 0", "BlasterAddress = 0x250"}, Sb16},
        {{"FXDevice = 0", "BlasterAddress = 0x260"}, Sb16 + "sbbase=260\n"},
        {{"FXDevice = 0", "BlasterAddress = 0x280"}, Sb16 + "sbbase=280\n"},
        {{"FXDevice = 0", "BlasterAddress = 0X240"}, Sb16 + "sbbase=240\n"},  // the dialog shows 0220
        // Each interrupt, and what the dialog shows for others.
        {{"FXDevice = 6", "BlasterInterrupt = 2"}, Sb16 + "irq=9\n"},  // as an AT has it
        {{"FXDevice = 6", "BlasterInterrupt = 3"}, Sb16 + "irq=3\n"},
        {{"FXDevice = 6", "BlasterInterrupt = 5"}, Sb16 + "irq=5\n"},
        {{"FXDevice = 6", "BlasterInterrupt = 7"}, Sb16 + "irq=7\n"},
        {{"FXDevice = 6", "BlasterInterrupt = 10"}, Sb16 + "irq=10\n"},
        {{"FXDevice = 6", "BlasterInterrupt = 11"}, Sb16 + "irq=11\n"},
        {{"FXDevice = 6", "BlasterInterrupt = 12"}, Sb16 + "irq=12\n"},
        {{"FXDevice = 6", "BlasterInterrupt = 15"}, Sb16 + "irq=15\n"},
        {{"FXDevice = 6", "BlasterInterrupt = 9"}, Sb16 + "irq=9\n"},  // the dialog shows 5
        {{"FXDevice = 6", "BlasterInterrupt = 4"}, Sb16 + "irq=5\n"},
        {{"FXDevice = 6", "BlasterInterrupt = ten"}, Sb16},
        // Each channel.
        {{"FXDevice = 0", "BlasterDMA8 = 0", "BlasterDMA16 = 5"}, Sb16 + "dma=0\nhdma=5\n"},
        {{"FXDevice = 0", "BlasterDma8 = 1", "BlasterDma16 = 6"}, Sb16 + "dma=1\nhdma=6\n"},
        {{"FXDevice = 0", "BlasterDma8 = 3", "BlasterDma16 = 7"}, Sb16 + "dma=3\nhdma=7\n"},
        {{"FXDevice = 0", "BlasterDma8 = 2", "BlasterDma16 = 4"}, Sb16 + "dma=1\nhdma=5\n"},
        {{"FXDevice = 0", "BlasterDma8 =", "BlasterDma16 = $"}, Sb16},
        {{"FXDevice = 0", "BlasterAddress = 0x240", "BlasterInterrupt = 10", "BlasterDma8 = 3", "BlasterDma16 = 7"},
         Sb16 + "sbbase=240\nirq=10\ndma=3\nhdma=7\n"},
        // Each control method: a joystick only where the game is played with one.
        {{"ControllerType = 0"}, NoJoystick},
        {{"ControllerType = 1"}, NoJoystick},
        {{"ControllerType = 2"}, ""},
        {{"ControllerType = 5"}, ""},
        {{"ControllerType = -3"}, NoJoystick},
        {{"ControllerType = mouse"}, ""},
        {{"FXDevice = 0", "BlasterInterrupt = 7", "ControllerType = 1"}, Sb16 + "irq=7\n" + NoJoystick},
    };
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& line : c.lines)
            name += line + "; ";
        EXPECT_EQ(sections(c.lines, none), c.expected) << name;
    }
}

TEST(EmulatedHardware, AModemPortTakesTheInterruptAdvanceSettingsNames)
{
    const dosbox::Network modem{Kind::Modem, "", 23000, 3};
    struct Case {
        const char* irq;
        const char* serial;
    };
    const Case cases[] = {
        {"IrqNumber = ~", "serial3=modem listenport:23000\n"},    // Advance Settings clear
        {"IrqNumber = 5", "serial3=modem listenport:23000 irq:5\n"},
        {"IrqNumber = 2", "serial3=modem listenport:23000 irq:9\n"},  // as an AT has it
        {"IrqNumber = 15", "serial3=modem listenport:23000 irq:15\n"},
        {"IrqNumber = n/a", "serial3=modem listenport:23000\n"},  // checked, field untouched
        {"IrqNumber = 1", "serial3=modem listenport:23000\n"},    // DOSBox takes 2 to 15
        {"IrqNumber = 16", "serial3=modem listenport:23000\n"},
        {"UartAddress = 3E8", "serial3=modem listenport:23000\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sections({c.irq}, modem), std::string("[serial]\n") + c.serial) << c.irq;
    // Only a modem game has a modem.
    EXPECT_EQ(sections({"IrqNumber = 5"}), "");
}

TEST(EmulatedHardware, AHandWrittenValueNeitherTheDialogNorDosBoxTakesIsNotedForTheAudioDialog)
{
    struct Case {
        std::vector<std::string> lines;
        std::string noted;  // "" for no note
    };
    const Case cases[] = {
        {{"FXDevice = 0", "BlasterInterrupt = 4"}, "The settings file gives IRQ 4, which DOSBox cannot emulate: "
                                                    "DOSBox gets the IRQ shown here, and a save writes it."},
        {{"FXDevice = 6", "BlasterDma8 = 2"}, "8-bit DMA 2,"},
        {{"FXDevice = 0", "BlasterAddress = 0x2B0"}, "port 02B0,"},
        {{"FXDevice = 0", "BlasterInterrupt = 9"}, ""},  // passed on to DOSBox
        {{"FXDevice = 0", "BlasterInterrupt = 5"}, ""},
        {{"FXDevice = 13", "BlasterInterrupt = 4"}, ""},  // no card
    };
    for (const Case& c : cases) {
        settings::LineBuffer buffer;
        for (const std::string& line : c.lines)
            buffer.append(line);
        const std::string note = settings::unemulatedNote(buffer);
        EXPECT_EQ(note.empty(), c.noted.empty()) << note;
        EXPECT_NE(note.find(c.noted), std::string::npos) << note;
    }
}
