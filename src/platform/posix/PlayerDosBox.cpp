// The player's own DOSBox configurations, read to learn what they say of the
// display.
#include "platform/posix/PosixPlatform.h"

#include "platform/posix/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace posix {

namespace {
std::string contents(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return {};
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return in ? bytes.str() + "\n" : std::string();
}

// DOSBox keeps its settings for the user in ~/.dosbox, one file per version
// ("dosbox-0.74-3.conf"); the one written last belongs to the DOSBox in use.
std::filesystem::path ownConfiguration()
{
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return {};
    std::error_code error;
    std::filesystem::path newest;
    std::filesystem::file_time_type newestTime;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(home) + "/.dosbox", error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("dosbox-", 0) != 0 || name.size() < 12 || name.substr(name.size() - 5) != ".conf")
            continue;
        const auto time = entry.last_write_time(error);
        if (!error && (newest.empty() || time > newestTime)) {
            newest = entry.path();
            newestTime = time;
        }
    }
    return newest;
}
}  // namespace

std::string PosixPlatform::playerDosBoxConfigurations(const std::string& folder)
{
    const std::filesystem::path own = ownConfiguration();
    return (own.empty() ? std::string() : contents(own)) + contents(resolvePath("dosbox.conf", resolve(folder)));
}

}  // namespace posix
