#pragma once
// The registry on POSIX systems, which have none: it answers only what the
// launcher asks for on a desktop.

#include "platform/Platform.h"

#include <map>
#include <optional>
#include <string>

namespace posix {

// The command the POSIX registry gives for HTML documents: the desktop's
// opener, named the way a Windows command line names its program, so the
// browser lookup and the splitting of its command run as they do on Windows
// and shellExecute turns the name back into "xdg-open".
inline constexpr const char* HtmlOpenCommand = "XDG-OPEN.EXE %1";

// Under HKEY_CLASSES_ROOT the four HTML extensions name the type "htmlfile",
// whose "shell\open\command" is HtmlOpenCommand. Everything else (the modem
// class under HKEY_LOCAL_MACHINE among it) is missing.
class PosixRegistry : public Registry {
public:
    PosixRegistry();
    long openKey(Key parent, const std::string& subKey, Key* result) override;
    long queryValue(Key key, const std::string& name, char* data, unsigned long* size) override;
    long closeKey(Key key) override;

private:
    // Upper-case key paths below HKEY_CLASSES_ROOT and their default values.
    std::map<std::string, std::optional<std::string>> keys_;
    std::map<Key, std::string> open_;
    Key next_ = 1;
};

}  // namespace posix
