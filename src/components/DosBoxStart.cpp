#include "components/DosBoxStart.h"

#include "components/AnsiText.h"
#include "components/CdMount.h"
#include "components/DosBoxDisplay.h"
#include "components/ErrorBox.h"
#include "core/GameFiles.h"
#include "platform/Platform.h"

namespace dosboxstart {

bool gameRunsInDosBox(Platform& platform)
{
    try {
        return platform.startsInDosBox(gamefiles::Game, ".");
    } catch (const LauncherError&) {
        return true;
    }
}

dosbox::Setup writeSetup(Platform& platform, const dosbox::Network& network, const dosbox::Hardware& hardware,
                      dosbox::Screen screen)
{
    // The game alone starts from its own folder, a network game's driver
    // from ENGINE: each finds a dosbox.conf there.
    const std::string from = network.kind == dosbox::Network::Kind::None ? "." : gamefiles::EngineFolder;
    const dosbox::Configuration configuration =
        dosbox::configuration(network, hardware, dosboxdisplay::forStart(platform, from, screen));
    dosbox::Setup setup;
    setup.commands = dosbox::commands(network);
    if (hardware.cdAudio)
        if (const std::string cd = cdmount::command(platform); !cd.empty())
            setup.commands.insert(setup.commands.begin(), cd);
    try {
        const std::string folder = platform.dosBoxFolder() + platform.pathSeparator();
        platform.writeFile(folder + configuration.name, configuration.text);
        setup.configurationFile = folder + configuration.name;
        setup.logFile = folder + LogName;
    } catch (const LauncherError& e) {
        // The game still starts, on DOSBox's own settings, with one word of
        // what it lacks.
        ErrorBox::show(ansitext::fromBytes(std::string(e.what()) + NoExtras));
    }
    return setup;
}

}  // namespace dosboxstart
