#include "MemoryPlatform.h"

namespace {
class EmptyRegistry : public Registry {
public:
    long openKey(Key, const std::string&, Key*) override { return FileNotFound; }
    long queryValue(Key, const std::string&, char*, unsigned long*) override { return FileNotFound; }
    long closeKey(Key) override { return Success; }
};
}  // namespace

std::string MemoryPlatform::readFile(const std::string& path)
{
    auto it = files.find(path);
    if (it == files.end())
        throw errors::cannotOpenFile(path);
    return it->second;
}

Registry& MemoryPlatform::registry()
{
    static EmptyRegistry registry;
    return registry;
}
