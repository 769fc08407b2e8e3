#pragma once
// How the launcher finds and starts the web browser: the program registered
// to open HTML documents is looked up in the registry's classes root, its
// command line is split into program and parameters, and the page goes last.
//
// Standard library and the platform interfaces only, so the same code runs
// on Windows, on Linux (where the POSIX registry answers the lookup) and in
// tests against a table of keys. TGoToWeb is the window-side face of it.

#include "platform/Platform.h"

#include <optional>
#include <string>

namespace browser {

// Every registry value is read into a buffer of this size; a value that does
// not fit is never read past it (it reads as empty text).
inline constexpr unsigned long ValueBufferSize = 1025;

// The document extensions whose open command is looked up, in this order.
inline constexpr const char* DocumentExtensions[] = {".HTM", ".HTML", ".SHTML", ".SHTM"};

// The open command registered for HTML documents, with its placeholders
// ("%1", "%L", "%*") removed; empty text when none of the four extensions
// leads to a non-empty command. For each extension, the command of the type
// it names comes before the extension key's own "shell\open\command". Every
// key opened is closed again.
std::string FindBrowserCommand(Registry& registry);

// Deletes each "%" together with the character after it, scanning from the
// first character; a "%" left as the last character of a longer text stays.
std::string RemovePlaceholders(std::string command);

struct BrowserStart {
    std::string program;     // unquoted, upper case
    std::string parameters;  // the command's own parameters, a blank, the page
};

// Splits a cleaned command into the program to start and its parameters
// followed by `url`. The whole command is upper-cased (a to z only) and the
// program ends at the last ".EXE", ".BAT" or ".COM" in it. `url` keeps its
// case; when it holds a blank it is enclosed in double quotes, so a page under
// a folder such as "Program Files" arrives as one argument, and so it is when
// it holds one of & | < > ^ ( ) , ; =, which the command interpreter of a
// batch-file handler would act on. No ending at all: nothing to start
// (nullopt).
std::optional<BrowserStart> SplitBrowserCommand(const std::string& command, const std::string& url);

// TGoToWeb's Execute: looks the browser up afresh and starts it through
// Platform::shellExecute with show value 9. True when the platform reports a
// start (a result above 32); false, with nothing reported, when no browser is
// registered, its command names no program, or the start failed.
bool OpenInBrowser(Platform& platform, const std::string& url);

}  // namespace browser
