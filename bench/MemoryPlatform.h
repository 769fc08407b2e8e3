#pragma once
// A platform whose files live in memory, so benchmarks measure the
// launcher's own work and not the disk.

#include "platform/Platform.h"

#include <map>
#include <string>

class MemoryPlatform : public Platform {
public:
    std::map<std::string, std::string> files;

    bool fileExists(const std::string& path) override { return files.count(path) > 0; }
    std::string readFile(const std::string& path) override;
    void writeFile(const std::string& path, const std::string& bytes) override { files[path] = bytes; }
    void writeDataFile(const std::string& path, const std::string& bytes) override { files[path] = bytes; }
    bool removeFile(const std::string& path) override { return files.erase(path) > 0; }
    std::string currentDirectory() override { return "C:\\VORNHALE"; }
    void setCurrentDirectory(const std::string&) override {}
    char pathSeparator() const override { return '\\'; }
    void startProgram(const std::string&, int) override {}
    bool startsInDosBox(const std::string&, const std::string&) override { return false; }
    void startProgramWith(const std::string&, int, const dosbox::Setup&) override {}
    std::string dosBoxFolder() override { return "/cache"; }
    std::string playerDosBoxConfigurations(const std::string&) override { return {}; }
    int shellExecute(const std::string&, const std::string&, int) override { return 42; }
    Registry& registry() override;
    std::shared_ptr<Router> router() override { return nullptr; }
    bool portFree(Protocol, int) override { return true; }
    void quit() override {}
};
