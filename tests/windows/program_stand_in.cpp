// Stands in for the game, the network driver and DOSBox in the Wine
// end-to-end tests: copied under their names, it records how it was started
// in NAME.RUN beside itself: the command line as received, the current
// directory, then the arguments as the runtime split them, one a line. The
// record appears at once and whole (written aside, then renamed), so a test
// polling for it never reads half of it. A GUI program, so that no console
// window comes up. As DOSBox, it also keeps the configuration it was given:
// the files named after -conf, one after another, in NAME.CONF (written
// before the record), and says it ran on its standard output, where the
// launcher's log of DOSBox's output receives it.

#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    char self[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string record(self, length);
    const auto dot = record.find_last_of('.');
    if (dot != std::string::npos && dot > record.find_last_of('\\'))
        record.erase(dot);
    record += ".RUN";
    const std::string aside = record + ".new";

    char directory[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    std::string text = std::string(::GetCommandLineA()) + "\r\n" + directory + "\r\n";
    for (int i = 0; i < argc; ++i)
        text += std::string(argv[i]) + "\r\n";

    std::string configuration;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) != "-conf")
            continue;
        const HANDLE conf = ::CreateFileA(argv[i + 1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        char buffer[4096];
        DWORD got = 0;
        while (conf != INVALID_HANDLE_VALUE && ::ReadFile(conf, buffer, sizeof buffer, &got, nullptr) && got > 0)
            configuration.append(buffer, got);
        if (conf != INVALID_HANDLE_VALUE)
            ::CloseHandle(conf);
    }
    if (!configuration.empty()) {
        const std::string kept = record.substr(0, record.size() - 4) + ".CONF";
        const HANDLE out = ::CreateFileA(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                         nullptr);
        DWORD done = 0;
        if (out != INVALID_HANDLE_VALUE) {
            ::WriteFile(out, configuration.data(), DWORD(configuration.size()), &done, nullptr);
            ::CloseHandle(out);
        }
    }
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE && ::GetFileType(output) == FILE_TYPE_DISK) {
        DWORD done = 0;
        ::WriteFile(output, "stand-in ran\r\n", 14, &done, nullptr);
    }

    const HANDLE file = ::CreateFileA(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && ::MoveFileExA(aside.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
