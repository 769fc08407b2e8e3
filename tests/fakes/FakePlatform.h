#pragma once
// A platform held in memory: files in a map, program and browser starts
// recorded, registry keys from a table, and any operation made to fail.

#include "platform/Platform.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class FakeRegistry : public Registry {
public:
    // Full key paths below a root ("HKCR\\.htm", "HKLM\\System\\...") mapped
    // to their values by name ("" = the default value). Paths compare
    // case-insensitively, as the registry's do.
    void setValue(const std::string& keyPath, const std::string& name, const std::string& value);
    void addKey(const std::string& keyPath);

    long openKey(Key parent, const std::string& subKey, Key* result) override;
    long queryValue(Key key, const std::string& name, char* data, unsigned long* size) override;
    long closeKey(Key key) override;

    int openKeys() const { return int(open_.size()); }
    std::vector<std::string> opened;  // every path opened, in order

private:
    std::string pathOf(Key key) const;
    std::map<std::string, std::map<std::string, std::string>> keys_;
    std::map<Key, std::string> open_;
    Key next_ = 1;
};

// A router whose answers a test sets; it records the forwarding asked of it.
// The launcher asks it from threads of its own.
class FakeRouter : public Router {
public:
    struct Request {
        Protocol protocol;
        int port;
        std::chrono::seconds lease;
    };
    void answer(const Found& found, std::optional<Forwarded> forwarded = std::nullopt);
    std::vector<Request> requests() const;
    // A router slow to answer: find() waits while held.
    void hold(bool held);
    int answeredFinds() const;
    // The forwardings taken back, by their external port.
    std::vector<int> removed() const;

    Found find(std::chrono::milliseconds timeout) override;
    Forwarded forward(const Found& found, Port port, std::chrono::seconds lease) override;
    void remove(const Found& found, Port port, const Forwarded& forwarded) override;

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    bool held_ = false;
    int answeredFinds_ = 0;
    Found found_;
    std::optional<Forwarded> forwarded_;  // unset: the port asked for
    std::vector<Request> requests_;
    std::vector<int> removed_;
};

class FakePlatform : public Platform {
public:
    struct Start {
        std::string commandLine;
        int show;
        std::string directory;  // the current directory at the start
        dosbox::Setup setup;    // what DOSBox was given
    };
    struct ShellStart {
        std::string file;
        std::string parameters;
        int show;
    };

    // Files by launcher path; "ENGINE\\VORNHL.CFG", ".\\engine\\vornhl.cfg"
    // and "ENGINE/VORNHL.CFG" all name the same file. Paths are relative to
    // the fake current directory (kept as "C:\\GAMES\\VORNHALE" style text,
    // but files live in one flat namespace keyed by their relative name).
    std::map<std::string, std::string> files;
    void putFile(const std::string& path, const std::string& bytes);
    std::optional<std::string> file(const std::string& path) const;

    // Directories that exist (relative names); ENGINE exists by default.
    std::vector<std::string> directories{"ENGINE"};

    // Failure injection: a path listed here fails that operation. For
    // writeFile, `partialWrite` leaves nothing behind, as the real one does.
    std::vector<std::string> unreadable, unwritable, undeletable;
    std::string dataWriteError = errors::ioText(errors::Io::AccessDenied);  // text for writeDataFile failures

    std::string cwd = "C:\\VORNHALE";
    std::vector<Start> starts;
    // When set, every program start fails with this reason and starts nothing.
    std::string startFailureReason;
    // What startsInDosBox answers, and the calls it answered; with a
    // problem, it refuses the start with that reason instead.
    bool dosBoxStarts = false;
    std::string dosBoxProblem;
    std::vector<std::string> dosBoxQuestions;
    std::vector<ShellStart> shellStarts;
    int shellResult = 42;
    int quitCount = 0;
    int writes = 0;
    FakeRegistry fakeRegistry;
    std::shared_ptr<FakeRouter> fakeRouter = std::make_shared<FakeRouter>();  // answers "no router" until told
    std::vector<std::pair<Protocol, int>> portsInUse;
    char separator = '\\';

    bool fileExists(const std::string& path) override;
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void writeDataFile(const std::string& path, const std::string& bytes) override;
    bool removeFile(const std::string& path) override;
    std::string currentDirectory() override { return cwd; }
    void setCurrentDirectory(const std::string& path) override;
    char pathSeparator() const override { return separator; }
    void startProgram(const std::string& commandLine, int show) override;
    bool startsInDosBox(const std::string& commandLine, const std::string& folder) override;
    void startProgramWith(const std::string& commandLine, int show, const dosbox::Setup& setup) override;
    // What the player's own DOSBox configurations say, for every folder.
    std::string playerDosBoxText;
    std::string playerDosBoxConfigurations(const std::string&) override { return playerDosBoxText; }
    // Outside the game, so its files never mix with the game's.
    std::string dosBoxFolder() override
    {
        if (!dosBoxFolderError.empty())
            throw LauncherError(dosBoxFolderError);
        return "C:\\Users\\Player\\AppData\\Local\\cache\\vornhale";
    }
    std::string dosBoxFolderError;  // when set, the launcher's folder cannot be made, for this reason
    int shellExecute(const std::string& file, const std::string& parameters, int show) override;
    Registry& registry() override { return fakeRegistry; }
    std::shared_ptr<Router> router() override { return fakeRouter; }
    bool portFree(Protocol protocol, int port) override;
    void quit() override { ++quitCount; }

    static std::string normalise(const std::string& path);

private:
    bool listed(const std::vector<std::string>& list, const std::string& path) const;
    bool directoryExists(const std::string& file) const;
    // A full path ("/home/...", "C:\\...") lies outside the game: its folders
    // all exist, and the current directory does not change its name.
    static bool isOutside(const std::string& path);
    std::string key(const std::string& path) const;
    std::string prefix_;  // relative directory entered by setCurrentDirectory
};
