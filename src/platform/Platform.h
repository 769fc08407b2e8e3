#pragma once
// Everything the launcher does outside its own process goes through these
// interfaces, so the logic runs unchanged on Windows, on Linux and in tests.
//
// Paths are written the way the launcher has always written them, relative
// to the current directory with backslashes (".\\ENGINE\\VORNHL.CFG",
// "SETUPHLP.TXT"); each platform maps them onto its own file system. Error
// texts name the file exactly as the caller wrote it.

#include "core/Errors.h"
#include "dosbox/DosBox.h"
#include "network/Router.h"

#include <cstdint>
#include <memory>
#include <string>

// Read-only access to the Windows registry, with the Win32 calling shape:
// results are Win32 error codes (0 = success) and values land in a buffer the
// caller owns, so the callers keep their fixed buffer sizes on every platform.
class Registry {
public:
    using Key = std::uintptr_t;
    static constexpr Key ClassesRoot = 0x80000000u;   // HKEY_CLASSES_ROOT
    static constexpr Key LocalMachine = 0x80000002u;  // HKEY_LOCAL_MACHINE
    static constexpr long Success = 0;                 // ERROR_SUCCESS
    static constexpr long FileNotFound = 2;            // ERROR_FILE_NOT_FOUND
    static constexpr long MoreData = 234;              // ERROR_MORE_DATA

    virtual ~Registry() = default;
    // Opens `subKey` below `parent` for reading; `*result` receives the key.
    virtual long openKey(Key parent, const std::string& subKey, Key* result) = 0;
    // Reads value `name` ("" = the default value). With `data` null only the
    // size is reported. `*size` is the buffer size on entry and the value's
    // size in bytes on return; a value larger than the buffer is not copied.
    virtual long queryValue(Key key, const std::string& name, char* data, unsigned long* size) = 0;
    virtual long closeKey(Key key) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Files ------------------------------------------------------------
    virtual bool fileExists(const std::string& path) = 0;
    // The whole file as bytes. Throws "Cannot open file <path>".
    virtual std::string readFile(const std::string& path) = 0;
    // Replaces the whole file atomically: on any failure the old content
    // stays as it was. Throws "Cannot create file <path>".
    virtual void writeFile(const std::string& path, const std::string& bytes) = 0;
    // Creates or replaces a file the way the runtime's typed-file I/O does,
    // failing with its I/O error texts ("File access denied", "Path not
    // found", "Disk full", ...). The file is written completely or not at all.
    virtual void writeDataFile(const std::string& path, const std::string& bytes) = 0;
    // Puts back the earlier content of `path` where a save of it was cut
    // short (a crash, a power cut) half-way through writing over it, and
    // returns what to tell the player; empty text when there was nothing to
    // put back. readFile does the same without a word.
    virtual std::string recoverInterruptedSave(const std::string& path)
    {
        static_cast<void>(path);
        return {};
    }
    // Deletes a file; returns false when it could not.
    virtual bool removeFile(const std::string& path) = 0;

    // Current directory -----------------------------------------------
    // A full path; it ends in a separator only at a drive's (or the file
    // system's) root.
    virtual std::string currentDirectory() = 0;
    // Throws the runtime's I/O error text when the directory cannot be entered.
    virtual void setCurrentDirectory(const std::string& path) = 0;
    // The separator this platform puts between path components.
    virtual char pathSeparator() const = 0;

    // Programs --------------------------------------------------------
    // WinExec: looks in the launcher's own directory, then the current one,
    // and never waits. A DOS program on a system that cannot run one starts
    // in DOSBox. A program that cannot be started at all (not found, not a
    // program this system can run, or a DOS program with no DOSBox to run
    // it) throws errors::cannotStart(commandLine, reason).
    virtual void startProgram(const std::string& commandLine, int show) = 0;
    // True when startProgram(commandLine), once `folder` (relative to the
    // current directory) is the current one, would run the program in
    // DOSBox: a DOS program on a system that cannot run one, and DOSBox there
    // to run it. Asked before anything is saved, to set up what DOSBox needs.
    // Throws errors::cannotStart when DOSBox would get a folder it cannot
    // mount, even under a short name of the launcher's own.
    virtual bool startsInDosBox(const std::string& commandLine, const std::string& folder) = 0;
    // startProgram, giving DOSBox `setup` where the program runs in it. A
    // dosbox.conf beside the program is loaded before the launcher's own
    // configuration, and a folder DOSBox cannot mount is given to it under a
    // short name in dosBoxFolder().
    virtual void startProgramWith(const std::string& commandLine, int show, const dosbox::Setup& setup) = 0;
    // The launcher's own folder for what it gives DOSBox (its configuration
    // files, the log of DOSBox's output), in the user's cache, never in the
    // game's folder; made when missing. Throws when it cannot be made.
    virtual std::string dosBoxFolder() = 0;
    // The texts of the DOSBox configurations a start from `folder` (relative
    // to the current directory) loads before the launcher's: the player's
    // own (the newest dosbox-<version>.conf in DOSBox's folder for the user)
    // and a dosbox.conf in `folder`, one after the other. Empty where there
    // are none; a file that cannot be read counts as none.
    virtual std::string playerDosBoxConfigurations(const std::string& folder) = 0;
    // ShellExecuteA with the default verb; the result follows its convention
    // (greater than 32 means the program was started).
    virtual int shellExecute(const std::string& file, const std::string& parameters, int show) = 0;

    virtual Registry& registry() = 0;

    // Network ---------------------------------------------------------
    // The home router. Shared, so a thread still waiting for its answer
    // keeps it while the launcher ends.
    virtual std::shared_ptr<Router> router() = 0;
    // Whether a program can open `port` of `protocol` on all of this
    // computer's addresses now, as DOSBox opens its network port: false
    // while another program holds it.
    virtual bool portFree(Protocol protocol, int port) = 0;

    // Asks the user-interface loop to end; the process then exits.
    virtual void quit() = 0;
};

// Show values of WinExec and ShellExecuteA.
inline constexpr int SW_SHOWNORMAL_VALUE = 1;
inline constexpr int SW_RESTORE_VALUE = 9;
