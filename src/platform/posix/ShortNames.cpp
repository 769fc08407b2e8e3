#include "platform/posix/ShortNames.h"

#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace posix {

namespace {
constexpr int KeptLogs = 4;

std::string linkTarget(const std::string& link)
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer);
    return n < 0 ? std::string() : std::string(buffer, std::size_t(n));
}

// The command lines of the running programs this process may read.
std::vector<std::string> commandLines()
{
    std::vector<std::string> lines;
    std::error_code error;
    for (fs::directory_iterator entry("/proc", error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream in(entry->path() / "cmdline", std::ios::binary);
        lines.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return lines;
}

bool startsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }
bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool cleanedUp(const std::string& name)
{
    return (startsWith(name, "dosbox-") && endsWith(name, ".conf")) || startsWith(name, "game-") ||
           name.find(".vornhale-tmp-") != std::string::npos;
}
}  // namespace

int placeLink(const std::string& folder, const std::string& link)
{
    if (linkTarget(link) == folder) {
        // Marked as in use, so a clean-up leaves it to this start.
        return ::utimensat(AT_FDCWD, link.c_str(), nullptr, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    }
    static std::atomic<unsigned> counter{0};
    const std::string temp =
        link + ".vornhale-tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    ::unlink(temp.c_str());
    if (::symlink(folder.c_str(), temp.c_str()) != 0)
        return errno;
    if (::rename(temp.c_str(), link.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    return 0;
}

void cleanUpOnce(const std::string& folder)
{
    static std::atomic<bool> done{false};
    if (!done.exchange(true))
        cleanUp(folder);
}

void cleanUp(const std::string& folder)
{
    const std::time_t dayAgo = std::time(nullptr) - 24 * 60 * 60;
    std::vector<std::string> old;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        struct stat st;
        const std::string path = entry->path().string();
        if (cleanedUp(entry->path().filename().string()) && ::lstat(path.c_str(), &st) == 0 && st.st_mtime < dayAgo)
            old.push_back(path);
    }
    if (old.empty())
        return;
    const std::vector<std::string> running = commandLines();
    for (const std::string& path : old) {
        bool used = false;
        for (const std::string& line : running)
            used = used || line.find(path) != std::string::npos;
        if (!used)
            ::unlink(path.c_str());
    }
}

int openLog(const std::string& path)
{
    const auto dot = path.rfind('.');
    const std::string stem = path.substr(0, dot), ending = dot == std::string::npos ? "" : path.substr(dot);
    const auto numbered = [&](int n) { return n == 0 ? path : stem + "." + std::to_string(n) + ending; };
    for (int attempt = 0; attempt < 3; ++attempt) {
        for (int n = KeptLogs; n > 0; --n)
            ::rename(numbered(n - 1).c_str(), numbered(n).c_str());
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

}  // namespace posix
