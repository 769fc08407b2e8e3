#include "fakes/FakePlatform.h"

#include <algorithm>
#include <cstring>

namespace {
std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return s;
}
}  // namespace

std::string FakePlatform::normalise(const std::string& path)
{
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    while (p.rfind(".\\", 0) == 0)
        p.erase(0, 2);
    return upper(p);
}

void FakePlatform::putFile(const std::string& path, const std::string& bytes) { files[normalise(path)] = bytes; }

std::optional<std::string> FakePlatform::file(const std::string& path) const
{
    auto it = files.find(key(path));
    if (it == files.end())
        return std::nullopt;
    return it->second;
}

bool FakePlatform::listed(const std::vector<std::string>& list, const std::string& path) const
{
    return std::any_of(list.begin(), list.end(), [&](const std::string& p) { return normalise(p) == key(path); });
}

std::string FakePlatform::key(const std::string& path) const
{
    return isOutside(path) ? normalise(path) : normalise(prefix_ + path);
}

bool FakePlatform::isOutside(const std::string& path)
{
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() >= 2 && path[1] == ':');
}

bool FakePlatform::directoryExists(const std::string& file) const
{
    if (isOutside(file))
        return true;
    const std::string n = normalise(prefix_ + file);
    const auto slash = n.rfind('\\');
    if (slash == std::string::npos)
        return true;
    const std::string dir = n.substr(0, slash);
    return std::any_of(directories.begin(), directories.end(), [&](const std::string& d) { return normalise(d) == dir; });
}

bool FakePlatform::fileExists(const std::string& path) { return file(path).has_value(); }

std::string FakePlatform::readFile(const std::string& path)
{
    auto content = file(path);
    if (!content || listed(unreadable, path))
        throw errors::cannotOpenFile(path);
    return *content;
}

void FakePlatform::writeFile(const std::string& path, const std::string& bytes)
{
    if (listed(unwritable, path) || !directoryExists(path))
        throw errors::cannotCreateFile(path);
    ++writes;
    files[key(path)] = bytes;
}

void FakePlatform::writeDataFile(const std::string& path, const std::string& bytes)
{
    if (!directoryExists(path))
        throw LauncherError(errors::ioText(errors::Io::PathNotFound));
    if (listed(unwritable, path))
        throw LauncherError(dataWriteError);
    ++writes;
    files[key(path)] = bytes;
}

bool FakePlatform::removeFile(const std::string& path)
{
    if (listed(undeletable, path))
        return false;
    return files.erase(key(path)) > 0;
}

void FakePlatform::setCurrentDirectory(const std::string& path)
{
    const std::string n = normalise(path);
    // A full path leads back up to a folder the fake has been in.
    if (n.size() >= 2 && n[1] == ':') {
        std::string up = prefix_, upCwd = cwd;
        while (normalise(upCwd) != n) {
            if (up.empty())
                throw LauncherError(errors::ioText(errors::Io::PathNotFound));
            upCwd.erase(upCwd.rfind('\\'));
            up.pop_back();  // each entered folder ends in a backslash
            const auto slash = up.rfind('\\');
            up.erase(slash == std::string::npos ? 0 : slash + 1);
        }
        prefix_ = up;
        cwd = upCwd;
        return;
    }
    const bool known = std::any_of(directories.begin(), directories.end(),
                                   [&](const std::string& d) { return normalise(d) == normalise(prefix_ + n); });
    if (!known)
        throw LauncherError(errors::ioText(errors::Io::PathNotFound));
    prefix_ += n + "\\";
    cwd += "\\" + n;
}

void FakePlatform::startProgram(const std::string& commandLine, int show) { startProgramWith(commandLine, show, {}); }

bool FakePlatform::startsInDosBox(const std::string& commandLine, const std::string& folder)
{
    dosBoxQuestions.push_back(folder + "\\" + commandLine);
    if (dosBoxStarts && !dosBoxProblem.empty())
        throw errors::cannotStart(commandLine, dosBoxProblem);
    return dosBoxStarts;
}

void FakePlatform::startProgramWith(const std::string& commandLine, int show, const dosbox::Setup& setup)
{
    if (!startFailureReason.empty())
        throw errors::cannotStart(commandLine, startFailureReason);
    starts.push_back({commandLine, show, cwd, setup});
}

int FakePlatform::shellExecute(const std::string& file, const std::string& parameters, int show)
{
    shellStarts.push_back({file, parameters, show});
    return shellResult;
}

bool FakePlatform::portFree(Protocol protocol, int port)
{
    return std::find(portsInUse.begin(), portsInUse.end(), std::make_pair(protocol, port)) == portsInUse.end();
}

// Router -----------------------------------------------------------------

void FakeRouter::answer(const Found& found, std::optional<Forwarded> forwarded)
{
    const std::lock_guard lock(mutex_);
    found_ = found;
    forwarded_ = std::move(forwarded);
}

std::vector<FakeRouter::Request> FakeRouter::requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

void FakeRouter::hold(bool held)
{
    {
        const std::lock_guard lock(mutex_);
        held_ = held;
    }
    released_.notify_all();
}

int FakeRouter::answeredFinds() const
{
    const std::lock_guard lock(mutex_);
    return answeredFinds_;
}

Router::Found FakeRouter::find(std::chrono::milliseconds)
{
    std::unique_lock lock(mutex_);
    released_.wait(lock, [this] { return !held_; });
    ++answeredFinds_;
    return found_;
}

Router::Forwarded FakeRouter::forward(const Found&, Port port, std::chrono::seconds lease)
{
    const std::lock_guard lock(mutex_);
    requests_.push_back({port.protocol, port.number, lease});
    return forwarded_ ? *forwarded_ : Forwarded{port.number, Refusal::None, 0, lease};
}

void FakeRouter::remove(const Found&, Port, const Forwarded& forwarded)
{
    const std::lock_guard lock(mutex_);
    removed_.push_back(forwarded.externalPort);
}

std::vector<int> FakeRouter::removed() const
{
    const std::lock_guard lock(mutex_);
    return removed_;
}

// Registry ---------------------------------------------------------------

void FakeRegistry::setValue(const std::string& keyPath, const std::string& name, const std::string& value)
{
    keys_[upper(keyPath)][upper(name)] = value;
}

void FakeRegistry::addKey(const std::string& keyPath) { keys_[upper(keyPath)]; }

std::string FakeRegistry::pathOf(Key key) const
{
    if (key == ClassesRoot)
        return "HKCR";
    if (key == LocalMachine)
        return "HKLM";
    auto it = open_.find(key);
    return it == open_.end() ? std::string() : it->second;
}

long FakeRegistry::openKey(Key parent, const std::string& subKey, Key* result)
{
    std::string base = pathOf(parent);
    if (base.empty())
        return 6;  // ERROR_INVALID_HANDLE
    std::string sub = subKey;
    while (!sub.empty() && sub.back() == '\\')
        sub.pop_back();
    const std::string path = upper(sub.empty() ? base : base + "\\" + sub);
    opened.push_back(path);
    if (!keys_.count(path))
        return FileNotFound;
    *result = 0x1000 + next_++;
    open_[*result] = path;
    return Success;
}

long FakeRegistry::queryValue(Key key, const std::string& name, char* data, unsigned long* size)
{
    auto it = open_.find(key);
    if (it == open_.end())
        return 6;
    const auto& values = keys_[it->second];
    auto v = values.find(upper(name));
    if (v == values.end())
        return FileNotFound;
    // A string value's size counts its terminating NUL, as REG_SZ does.
    const unsigned long needed = (unsigned long)v->second.size() + 1;
    if (!data) {
        *size = needed;
        return Success;
    }
    if (*size < needed) {
        *size = needed;
        return MoreData;
    }
    std::memcpy(data, v->second.c_str(), needed);
    *size = needed;
    return Success;
}

long FakeRegistry::closeKey(Key key) { return open_.erase(key) ? Success : 6; }
