#pragma once
// The launcher's command line. It is read before the application object
// exists, so --help, --version and a bad --game-dir answer without a display
// and without a window. Arguments the launcher does not know (Qt's own
// options among them, which QApplication takes later) change nothing.

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

    // `arguments` as main received them, the program first.
    explicit CommandLine(const QStringList& arguments);

    Outcome outcome() const { return outcome_; }
    // The folder given with --game-dir (an existing folder), or empty.
    QString gameFolder() const { return gameFolder_; }
    // Names the program as the application object does: build one first.
    QString helpText() const { return parser_.helpText(); }
    static QString versionText();
    QString errorText() const { return error_; }

private:
    QCommandLineParser parser_;
    Outcome outcome_ = Outcome::Run;
    QString gameFolder_;
    QString error_;
};

}  // namespace launcher
