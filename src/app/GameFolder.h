#pragma once
// Which folder the launcher works in. A game folder holds VORNHALE.EXE or an
// ENGINE folder, either in any case. Started anywhere else (as from the
// desktop's menu, which starts programs in the home folder), the launcher
// takes the folder the player chose before, or asks for one.

#include <QString>

#include <optional>

class QSettings;

namespace launcher {

// Empty when `folder` holds a game; otherwise, for the player, why not.
QString gameFolderProblem(const QString& folder);

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
// remembered in `config`. Nothing when the player cancels.
std::optional<QString> findGameFolder(const QString& current, QSettings& config, GameFolderQuestion& question);

// The desktop's own folder chooser, and a warning box for a refusal.
class DesktopGameFolderQuestion final : public GameFolderQuestion {
public:
    QString askFolder(const QString& startIn) override;
    void refuse(const QString& reason) override;
};

}  // namespace launcher
