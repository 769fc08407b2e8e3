#pragma once
// The launcher on Linux and other POSIX systems. Its jobs live in files of
// their own: Paths (launcher paths, matched without case), Files and
// PosixFiles (reading and saving), SaveInPlace (saves that can be undone),
// SafeLinks (which links are followed), OwnFolder (the launcher's private
// folder), Programs and PosixPrograms (the game, the network driver, the
// browser), ShortNames (what DOSBox is given in the launcher's folder) and
// PosixRegistry (the one registry answer a desktop needs).

#include "platform/Platform.h"
#include "network/PortMapping.h"
#include "network/Sockets.h"
#include "platform/posix/Files.h"
#include "platform/posix/Paths.h"
#include "platform/posix/PosixRegistry.h"
#include "platform/posix/Programs.h"

#include <string>

namespace posix {

class PosixPlatform : public Platform {
public:
    bool fileExists(const std::string& path) override;
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void writeDataFile(const std::string& path, const std::string& bytes) override;
    bool removeFile(const std::string& path) override;
    std::string recoverInterruptedSave(const std::string& path) override;
    std::string currentDirectory() override;
    void setCurrentDirectory(const std::string& path) override;
    char pathSeparator() const override { return '/'; }
    void startProgram(const std::string& commandLine, int show) override;
    bool startsInDosBox(const std::string& commandLine, const std::string& folder) override;
    void startProgramWith(const std::string& commandLine, int show, const dosbox::Setup& setup) override;
    std::string dosBoxFolder() override;
    std::string playerDosBoxConfigurations(const std::string& folder) override;
    int shellExecute(const std::string& file, const std::string& parameters, int show) override;
    Registry& registry() override { return registry_; }
    std::shared_ptr<Router> router() override { return router_; }
    bool portFree(Protocol protocol, int port) override { return sockets::portFree({protocol, port}); }
    void quit() override;

    // Where the program search looks first (the launcher's own directory).
    std::string ownDirectory();

private:
    std::string resolve(const std::string& path);
    // The launcher's own folder (OwnFolder.h), or empty text.
    std::string ownFolderOrNone(bool make = true);
    // Puts back the content of `target` (a full path, links followed) that a
    // save cut short left in a copy; true when it did.
    bool recover(const std::string& target);
    std::string mountableFolder(const std::string& commandLine, const std::string& program, bool make);
    PosixRegistry registry_;
    std::shared_ptr<Router> router_ = makeHomeRouter();
};

}  // namespace posix
