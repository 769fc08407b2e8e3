#include "multiplayer/StartSequence.h"

#include "app/Forms.h"
#include "multiplayer/LaunchFile.h"
#include "multiplayer/TypedText.h"
#include "platform/Platform.h"
#include "settings/_config.h"

#include <QDialog>

void StartNetworkGame(Forms& forms, QDialog& starting, const QLineEdit* netName,
                      const std::function<std::string()>& launchLines)
{
    Platform& platform = forms.platform;
    forms.config->StoredPlayerName = typedtext::bytes(netName);
    forms.config->SaveSettings();
    // Written whole or not at all, so a failure leaves no half launch file
    // for the driver to trip over.
    platform.writeDataFile(launchfile::Path, launchLines());
    const std::string installation = platform.currentDirectory();
    platform.setCurrentDirectory("ENGINE");
    // NET.BAT is found in ENGINE, now the current directory.
    try {
        platform.startProgram("NET.BAT", SW_SHOWNORMAL_VALUE);
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
