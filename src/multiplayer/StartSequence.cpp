#include "multiplayer/StartSequence.h"

#include "multiplayer/LaunchFile.h"
#include "multiplayer/TypedText.h"
#include "platform/Platform.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {
const char* const NetworkDriver = "NET.BAT";
const char* const EngineFolder = "ENGINE";

// Writes the launcher's DOSBox configuration for `network` into its own
// cache folder, and says where it is.
dosbox::Setup prepareDosBox(Platform& platform, const dosbox::Network& network)
{
    dosbox::Setup setup;
    setup.commands = dosbox::commands(network);
    const std::string text = dosbox::configuration(network);
    if (text.empty())
        return setup;
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::tempPath();
    const QString folder = cache + QStringLiteral("/vornhale");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + QString::fromStdString(dosbox::configurationName(network));
    setup.configurationFile = QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
    platform.writeFile(setup.configurationFile, text);
    return setup;
}
}  // namespace

bool NetworkDriverRunsInDosBox(Platform& platform) { return platform.startsInDosBox(NetworkDriver, EngineFolder); }

void StartNetworkGame(const NetworkStart& start, QDialog& starting, const QLineEdit* netName,
                      const std::function<std::string()>& launchLines, const dosbox::Network& network)
{
    Platform& platform = start.platform;
    start.saveSettingsAs(typedtext::bytes(netName));
    // Written whole or not at all, so a failure leaves no half launch file
    // for the driver to trip over.
    platform.writeDataFile(launchfile::Path, launchLines());
    const dosbox::Setup setup = prepareDosBox(platform, network);
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
