#pragma once
// Opens a document in the program registered for HTML documents.

#include <QObject>

#include <string>

class Platform;

class TGoToWeb : public QObject {
    Q_OBJECT
public:
    TGoToWeb(Platform& platform, QObject* owner);

    std::string Url;
    // Starts the registered browser with its own parameters and Url; true
    // when the platform reports that it started.
    bool Execute();

private:
    Platform& platform_;
};
