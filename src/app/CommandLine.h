#pragma once
// The launcher's command line. It is read before the application object
// exists, so --help, --version and a bad argument answer without a display
// and without a window. Qt's own options (-platform, -style, ...), which
// QApplication takes later, are let through; any other option, and any
// argument that is no option's value, is refused, so a mistyped --game-dir
// never edits another game than the one meant.

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace launcher {

class CommandLine {
public:
    enum class Outcome {
        Run,      // go on; gameFolder() tells where, if it was given
        Help,     // print helpText() and end
        Version,  // print versionText() and end
        Error,    // print errorText() on standard error and end with status 2
    };

    // `arguments` as main received them, the program first, each byte one
    // character (QString::fromLatin1), so that a folder named in any bytes
    // comes through as it is.
    explicit CommandLine(const QStringList& arguments);

    Outcome outcome() const { return outcome_; }
    // The folder given with --game-dir, one that holds the game, as bytes;
    // empty without one.
    QByteArray gameFolder() const { return gameFolder_; }
    // Names the program as the application object does: build one first.
    QString helpText() const { return parser_.helpText(); }
    static QString versionText();
    // Bytes, for the folder names it may quote.
    QByteArray errorText() const { return error_; }

private:
    QCommandLineParser parser_;
    Outcome outcome_ = Outcome::Run;
    QByteArray gameFolder_;
    QByteArray error_;
};

}  // namespace launcher
