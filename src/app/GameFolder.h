#pragma once
// Which folder the launcher works in. A game folder holds VORNHALE.EXE or an
// ENGINE folder, either in any case. Started anywhere else (as from the
// desktop's menu, which starts programs in the home folder), the launcher
// takes the folder the player chose before, or asks for one.

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <optional>

class QSettings;

namespace launcher {

// Folders travel as the bytes the system gives (QFile::encodeName of a
// chosen one), so a folder named in any bytes, such as a Latin-1 "\xe9" from
// an older disk, works like any other.

// A folder's bytes as the standard library's path: the bytes themselves on
// POSIX systems, ANSI text on Windows.
std::filesystem::path fileSystemPath(const QByteArray& path);

// Empty when `folder` holds a game; otherwise, for the player, why not.
QString gameFolderProblem(const QByteArray& folder);

// How the player is asked; tests answer in place of the real dialogs.
class GameFolderQuestion {
public:
    virtual ~GameFolderQuestion() = default;
    // The folder the player picked, starting the search in `startIn`; empty
    // when the player cancelled.
    virtual QString askFolder(const QString& startIn) = 0;
    // Says why the picked folder will not do; the player is then asked again.
    virtual void refuse(const QString& reason) = 0;
};

// The folder to work in: `current` when it holds a game; else the remembered
// one while it still holds a game; else the player's pick, which is then
// remembered in `config` (UserConfig::store). Nothing when the player
// cancels.
std::optional<QByteArray> findGameFolder(const QByteArray& current, QSettings& config, GameFolderQuestion& question);

// The desktop's own folder chooser, and a warning box for a refusal.
class DesktopGameFolderQuestion final : public GameFolderQuestion {
public:
    QString askFolder(const QString& startIn) override;
    void refuse(const QString& reason) override;
};

}  // namespace launcher
