#include "app/GameFolder.h"

#include "app/application.h"
#include "core/Text.h"

#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

namespace launcher {

namespace {
const QString GameFolderKey = QStringLiteral("GameFolder");

// Names compare the way the game's own file names always have: a to z fold,
// nothing else does.
bool sameName(const QString& name, std::string_view wanted) { return text::upperAscii(name.toStdString()) == wanted; }

bool holdsGame(const QString& folder)
{
    QDirIterator entries(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        const QFileInfo entry = entries.nextFileInfo();
        if ((entry.isFile() && sameName(entry.fileName(), "VORNHALE.EXE")) ||
            (entry.isDir() && sameName(entry.fileName(), "ENGINE")))
            return true;
    }
    return false;
}

// Where the chooser opens: the remembered folder, or what is left of its
// path (after the game was moved or renamed, its old parent), else home.
QString startFolder(const QString& remembered)
{
    for (QString path = remembered; !path.isEmpty();) {
        if (QFileInfo(path).isDir())
            return path;
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return QDir::homePath();
}
}  // namespace

QString gameFolderProblem(const QString& folder)
{
    if (holdsGame(folder))
        return {};
    return QStringLiteral("\"%1\" holds no Vornhale game: it has neither VORNHALE.EXE nor an ENGINE folder.\n\n"
                          "Choose the folder Vornhale is installed in.")
        .arg(QDir::toNativeSeparators(folder));
}

std::optional<QString> findGameFolder(const QString& current, QSettings& config, GameFolderQuestion& question)
{
    if (holdsGame(current))
        return current;
    const QString remembered = config.value(GameFolderKey).toString();
    if (!remembered.isEmpty() && holdsGame(remembered))
        return remembered;

    QString startIn = startFolder(remembered);
    for (;;) {
        const QString picked = question.askFolder(startIn);
        if (picked.isEmpty())
            return std::nullopt;
        const QString problem = gameFolderProblem(picked);
        if (problem.isEmpty()) {
            const QString folder = QFileInfo(picked).absoluteFilePath();
            config.setValue(GameFolderKey, folder);
            config.sync();
            return folder;
        }
        question.refuse(problem);
        startIn = picked;
    }
}

QString DesktopGameFolderQuestion::askFolder(const QString& startIn)
{
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Choose the Vornhale folder"), startIn);
}

void DesktopGameFolderQuestion::refuse(const QString& reason)
{
    // The reason quotes a folder name, which is text, never markup.
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(ApplicationTitle), reason, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace launcher
