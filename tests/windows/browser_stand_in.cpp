// Stands in for the web browser in the Windows tests: records the command
// line it was started with, byte for byte, in COMMANDLINE.TXT beside itself.
// The record appears at once and whole (written aside, then renamed), so a
// test polling for it never reads half of it.

#include <windows.h>

#include <string>

int main()
{
    char self[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self, length);
    folder.erase(folder.find_last_of('\\') + 1);
    const std::string record = folder + "COMMANDLINE.TXT";
    const std::string aside = record + ".new";

    const char* commandLine = ::GetCommandLineA();
    const HANDLE file = ::CreateFileA(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, commandLine, DWORD(lstrlenA(commandLine)), &written, nullptr);
    ::CloseHandle(file);
    return ok && ::MoveFileExA(aside.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
