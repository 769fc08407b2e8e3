#include "multiplayer/StartSequence.h"

#include "components/DosBoxStart.h"
#include "core/GameFiles.h"
#include "multiplayer/LaunchFile.h"
#include "multiplayer/TypedText.h"
#include "platform/Platform.h"

#include <QDialog>

using gamefiles::EngineFolder;
using gamefiles::NetworkDriver;

bool NetworkDriverRunsInDosBox(Platform& platform) { return platform.startsInDosBox(NetworkDriver, EngineFolder); }

void StartNetworkGame(const NetworkStart& start, QDialog& starting, const QLineEdit* netName,
                      const std::function<std::string()>& launchLines, const dosbox::Network& network)
{
    Platform& platform = start.platform;
    start.saveSettingsAs(typedtext::bytes(netName));
    // Written whole or not at all, so a failure leaves no half launch file
    // for the driver to trip over.
    platform.writeDataFile(launchfile::Path, launchLines());
    const dosbox::Setup setup = network.kind == dosbox::Network::Kind::None
                                    ? dosbox::Setup()
                                    : dosboxstart::writeSetup(platform, network, start.emulatedHardware(),
                                                           start.screen ? start.screen() : dosbox::Screen());
    const std::string installation = platform.currentDirectory();
    platform.setCurrentDirectory(EngineFolder);
    // NET.BAT is found in ENGINE, now the current directory.
    try {
        platform.startProgramWith(NetworkDriver, SW_SHOWNORMAL_VALUE, setup);
    } catch (const LauncherError&) {
        // The launcher stays: back to the game's folder, where every path it
        // uses begins, so the next try (or a save) finds ENGINE again.
        try {
            platform.setCurrentDirectory(installation);
        } catch (const LauncherError&) {
        }
        throw;
    }
    platform.quit();
    starting.accept();
}
