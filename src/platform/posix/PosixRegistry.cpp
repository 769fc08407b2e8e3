#include "platform/posix/PosixRegistry.h"

#include "core/Text.h"

#include <cstring>

namespace posix {

PosixRegistry::PosixRegistry()
{
    for (const char* extension : {".HTM", ".HTML", ".SHTML", ".SHTM"})
        keys_[extension] = "htmlfile";
    keys_["HTMLFILE"] = std::nullopt;
    keys_["HTMLFILE\\SHELL"] = std::nullopt;
    keys_["HTMLFILE\\SHELL\\OPEN"] = std::nullopt;
    keys_["HTMLFILE\\SHELL\\OPEN\\COMMAND"] = std::string(HtmlOpenCommand);
}

long PosixRegistry::openKey(Key parent, const std::string& subKey, Key* result)
{
    std::string path;
    if (parent != ClassesRoot) {
        const auto it = open_.find(parent);
        if (it == open_.end())
            return parent == LocalMachine ? FileNotFound : 6;  // ERROR_INVALID_HANDLE
        path = it->second + "\\";
    }
    path += text::upperAscii(subKey);
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (!keys_.count(path))
        return FileNotFound;
    *result = next_++;
    open_[*result] = path;
    return Success;
}

long PosixRegistry::queryValue(Key key, const std::string& name, char* data, unsigned long* size)
{
    const auto it = open_.find(key);
    if (it == open_.end())
        return 6;
    const auto& value = keys_.at(it->second);
    if (!name.empty() || !value)
        return FileNotFound;
    // A string value's size counts its NUL, and a buffer too small gets nothing.
    const unsigned long needed = (unsigned long)value->size() + 1;
    if (data) {
        if (*size < needed) {
            *size = needed;
            return MoreData;
        }
        std::memcpy(data, value->c_str(), needed);
    }
    *size = needed;
    return Success;
}

long PosixRegistry::closeKey(Key key) { return open_.erase(key) ? Success : 6; }

}  // namespace posix
