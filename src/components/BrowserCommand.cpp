#include "components/BrowserCommand.h"

#include "core/Text.h"

#include <cstring>

namespace browser {

namespace {
using Key = Registry::Key;

// A key opened for the length of one lookup step.
class OpenKey {
public:
    OpenKey(Registry& registry, Key parent, const std::string& subKey) : registry_(registry)
    {
        open_ = registry.openKey(parent, subKey, &key_) == Registry::Success;
    }
    ~OpenKey()
    {
        if (open_)
            registry_.closeKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    explicit operator bool() const { return open_; }
    Key key() const { return key_; }

private:
    Registry& registry_;
    Key key_ = 0;
    bool open_ = false;
};

// The key's default value, sized first and then read into the fixed buffer.
// nullopt when it cannot even be sized; empty text when the read fails, which
// is how a value longer than the buffer ends up.
std::optional<std::string> defaultValue(Registry& registry, Key key)
{
    unsigned long size = 0;
    if (registry.queryValue(key, "", nullptr, &size) != Registry::Success)
        return std::nullopt;
    char buffer[ValueBufferSize];
    size = ValueBufferSize;
    if (registry.queryValue(key, "", buffer, &size) != Registry::Success)
        return std::string();
    // The value is text up to its first NUL, and a value stored without one
    // still ends at the buffer's end.
    const std::size_t limit = size < ValueBufferSize ? size : ValueBufferSize;
    const void* nul = std::memchr(buffer, '\0', limit);
    return std::string(buffer, nul ? static_cast<const char*>(nul) - buffer : limit);
}

// The default value of `subKey` below `parent` when the key opens and the
// value is not empty.
std::optional<std::string> commandAt(Registry& registry, Key parent, const std::string& subKey)
{
    OpenKey key(registry, parent, subKey);
    if (!key)
        return std::nullopt;
    auto value = defaultValue(registry, key.key());
    if (!value || value->empty())
        return std::nullopt;
    return value;
}

std::optional<std::string> registeredCommand(Registry& registry)
{
    for (const char* extension : DocumentExtensions) {
        OpenKey extensionKey(registry, Registry::ClassesRoot, extension);
        if (!extensionKey)
            continue;
        const auto typeName = defaultValue(registry, extensionKey.key());
        if (!typeName)
            continue;
        if (!typeName->empty())
            if (auto command = commandAt(registry, Registry::ClassesRoot, *typeName + "\\shell\\open\\command"))
                return command;
        if (auto command = commandAt(registry, extensionKey.key(), "shell\\open\\command"))
            return command;
    }
    return std::nullopt;
}

bool endsProgram(const std::string& text, std::size_t end)
{
    const std::string four = text.substr(end - 4, 4);
    return four == ".EXE" || four == ".BAT" || four == ".COM";
}
}  // namespace

std::string RemovePlaceholders(std::string command)
{
    std::size_t i = 0;
    do {
        if (i < command.size() && command[i] == '%')
            command.erase(i, 2);
        else
            ++i;
    } while (command.size() > 0 && i < command.size() - 1);
    return command;
}

std::string FindBrowserCommand(Registry& registry)
{
    const auto command = registeredCommand(registry);
    return command ? RemovePlaceholders(*command) : std::string();
}

std::optional<BrowserStart> SplitBrowserCommand(const std::string& command, const std::string& url)
{
    std::string program = text::upperAscii(command);

    // Backwards from the end, so an ending inside the parameters (an address
    // ending in ".COM") wins over the program's own; never before the start.
    std::size_t end = program.size();
    while (end >= 4 && !endsProgram(program, end))
        --end;
    if (end < 4)
        return std::nullopt;

    std::string parameters;
    if (end < program.size()) {
        parameters = std::string(text::trimControl(std::string_view(program).substr(end)));
        // The program's closing quote (and a quoted placeholder's pair) lead
        // the parameter text; they go.
        while (!parameters.empty() && parameters.front() == '"')
            parameters.erase(0, 1);
        program.erase(end);
    }
    if (!program.empty() && program.front() == '"')
        program.erase(0, 1);

    // A blank would split the page in two, and the registered handler may be
    // a batch file, whose command interpreter acts on the other characters.
    const bool needsQuotes = url.find_first_of(" \t&|<>^(),;=") != std::string::npos;
    return BrowserStart{program, parameters + " " + (needsQuotes ? "\"" + url + "\"" : url)};
}

bool OpenInBrowser(Platform& platform, const std::string& url)
{
    const std::string command = FindBrowserCommand(platform.registry());
    if (command.empty())
        return false;
    const auto start = SplitBrowserCommand(command, url);
    if (!start)
        return false;
    return platform.shellExecute(start->program, start->parameters, SW_RESTORE_VALUE) > 32;
}

}  // namespace browser
