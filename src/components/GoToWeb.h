#pragma once
// Opens a document in the program registered for HTML documents. The lookup
// and the splitting of the registered command live in BrowserCommand, free of
// the toolkit; this is the component the main window owns.

#include <QObject>

#include <string>

class Platform;

class TGoToWeb : public QObject {
    Q_OBJECT
public:
    TGoToWeb(Platform& platform, QObject* owner);

    // The document or address to open, passed to the browser as its last
    // argument in its own case (enclosed in double quotes when it holds a
    // blank). Every caller sets it before Execute.
    std::string Url = "http://www.quenlow.example/";

    // Starts the registered browser with its own parameters and Url; true
    // when the platform reports that it started. Looks the browser up afresh
    // each time, so a newly registered browser takes effect at once.
    bool Execute();
    // The registered open command for HTML documents without its
    // placeholders, or empty text.
    std::string FindBrowserCommand();

private:
    Platform& platform_;
};
