#include "app/GameFolder.h"

#include "app/application.h"
#include "components/UserConfig.h"
#include "core/GameFiles.h"
#include "core/Text.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include <filesystem>

namespace launcher {

namespace {
const QString GameFolderKey = QStringLiteral("GameFolder");
// The same folder as its bytes, percent-encoded, which any bytes survive;
// the text under GameFolderKey stays for launchers that know only that.
const QString GameFolderBytesKey = QStringLiteral("GameFolderBytes");

std::string nameOf(const std::filesystem::path& path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.filename().wstring()).toLocal8Bit().toStdString();
#else
    return path.filename().string();
#endif
}

bool holdsGame(const QByteArray& folder)
{
    // Names compare the way the game's own file names always have: a to z
    // fold, nothing else does.
    std::error_code error;
    for (std::filesystem::directory_iterator entry(fileSystemPath(folder), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = text::upperAscii(nameOf(entry->path()));
        if ((name == gamefiles::Game && entry->is_regular_file(error)) ||
            (name == gamefiles::EngineFolder && entry->is_directory(error)))
            return true;
    }
    return false;
}

// The bytes of the folder the chooser gave as text. A name that is not in
// the system's encoding comes back with U+FFFD in it; it is found again
// among its folder's entries, whose names decode to the same text.
QByteArray systemName(const QString& picked)
{
    const QString full = QFileInfo(picked).absoluteFilePath();
#ifdef Q_OS_WIN
    return QFile::encodeName(full);
#else
    QByteArray bytes;
    for (const QString& part : full.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QByteArray name = QFile::encodeName(part);
        std::error_code error;
        if (!std::filesystem::exists(fileSystemPath(bytes + "/" + name), error)) {
            for (std::filesystem::directory_iterator entry(fileSystemPath(bytes.isEmpty() ? "/" : bytes), error), end;
                 !error && entry != end; entry.increment(error)) {
                const std::string found = entry->path().filename().string();
                if (QFile::decodeName(QByteArray::fromStdString(found)) == part) {
                    name = QByteArray::fromStdString(found);
                    break;
                }
            }
        }
        bytes += "/" + name;
    }
    return bytes.isEmpty() ? QByteArray("/") : bytes;
#endif
}

// The folder remembered in `config`, as bytes.
QByteArray remembered(const QSettings& config)
{
    const QString bytes = config.value(GameFolderBytesKey).toString();
    if (!bytes.isEmpty())
        return QByteArray::fromPercentEncoding(bytes.toLatin1());
    return QFile::encodeName(config.value(GameFolderKey).toString());
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

std::filesystem::path fileSystemPath(const QByteArray& path)
{
    // Windows names files in Unicode; its programs' bytes are ANSI text.
#ifdef Q_OS_WIN
    return std::filesystem::path(QString::fromLocal8Bit(path).toStdWString());
#else
    return std::filesystem::path(path.toStdString());
#endif
}

QString gameFolderProblem(const QByteArray& folder)
{
    if (holdsGame(folder))
        return {};
    return QStringLiteral("\"%1\" %2.\n\nChoose the folder Vornhale is installed in.")
        .arg(QDir::toNativeSeparators(QFile::decodeName(folder)), QString::fromLatin1(gamefiles::NoGameHere));
}

std::optional<QByteArray> findGameFolder(const QByteArray& current, QSettings& config, GameFolderQuestion& question)
{
    if (holdsGame(current))
        return current;
    const QByteArray before = remembered(config);
    if (!before.isEmpty() && holdsGame(before))
        return before;

    QString startIn = startFolder(QFile::decodeName(before));
    for (;;) {
        const QString picked = question.askFolder(startIn);
        if (picked.isEmpty())
            return std::nullopt;
        const QByteArray folder = systemName(picked);
        const QString problem = gameFolderProblem(folder);
        if (problem.isEmpty()) {
            config.setValue(GameFolderKey, QFile::decodeName(folder));
            config.setValue(GameFolderBytesKey, QString::fromLatin1(folder.toPercentEncoding("/")));
            UserConfig::store(config);
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
