#include "components/CdMount.h"

#include "components/ErrorBox.h"
#include "components/_cdprogress.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace cdmount {

namespace {
QString shown(const std::string& path) { return QDir::toNativeSeparators(QFile::decodeName(path.c_str())); }

QString refusal(const cdimage::Image& image, const std::string& problem)
{
    return QStringLiteral("The game's CD image \"%1\" cannot be used: %2.")
        .arg(shown(image.path), QString::fromLocal8Bit(problem.c_str()));
}
}  // namespace

std::string command(Platform& platform)
{
    const cdimage::Image image = cdimage::inspect(platform.currentDirectory());
    if (image.path.empty())
        return {};
    const QString withoutMusic = QStringLiteral(" The game starts without its music.");
    if (!image.problem.empty()) {
        ErrorBox::show(refusal(image, image.problem) + withoutMusic);
        return {};
    }
    try {
        const std::string cache = platform.dosBoxFolder();
        if (const auto pending = cdimage::pendingConversions(image, cache); !pending.empty()) {
            TCdProgress progress;
            if (!progress.run(pending))
                return {};
        }
        return cdimage::prepareMount(image, cache, [&platform](const std::string& path, const std::string& bytes) {
            platform.writeFile(path, bytes);
        });
    } catch (const LauncherError& error) {
        ErrorBox::show(refusal(image, error.what()) + withoutMusic);
    }
    return {};
}

QString note(const cdimage::Image& image)
{
    if (image.path.empty())
        return QStringLiteral("No CD image of the game was found in its folder, so the music stays silent in "
                              "DOSBox. Choose the game's cue sheet or disc image to hear it.");
    if (!image.problem.empty())
        return refusal(image, image.problem) + QStringLiteral(" The music stays silent in DOSBox.");
    if (!image.isCueSheet)
        return QStringLiteral("The game's CD comes from \"%1\", a disc image without music tracks: the music "
                              "stays silent. Choose its cue sheet to hear it.")
            .arg(shown(image.path));
    QString text = QStringLiteral("The music plays from the CD image \"%1\".").arg(shown(image.path));
    if (std::find(image.convert.begin(), image.convert.end(), true) != image.convert.end())
        text += QStringLiteral(" Its tracks are converted once for DOSBox when the game first starts.");
    return text;
}

}  // namespace cdmount
