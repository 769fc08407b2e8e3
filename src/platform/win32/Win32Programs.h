#pragma once
// What the Win32 layer's program starts share: finding programs as WinExec
// would, quoting their arguments, and the system's words for a failure.
// Win32Programs.cpp starts Windows programs, Win32DosBox.cpp DOS programs.

#include "dosbox/DosBox.h"

#include <functional>
#include <string>

namespace win32::programs {

bool isFile(const std::string& path);
// `folder` ending in a path separator.
std::string withSeparator(std::string folder);
// An environment variable's value; empty where it is unset.
std::string environment(const char* name);
// `path` made full against the current folder.
std::string fullPath(const std::string& path);
// The folder the launcher's own program lies in, with its separator.
std::string ownFolder();
// Where WinExec finds a bare program name first: the launcher's own folder,
// then the current one (or `folder` below it). The full path, or empty text.
std::string findProgram(const std::string& name, const std::string& folder = {});
// An argument as the programs' runtime splits it again.
std::string quoted(const std::string& argument);
// The system's text for an error code, without its closing full stop.
std::string systemMessage(unsigned long error);
// Why a program could not start, in the error box's words.
std::string startReason(unsigned long error);

// Whether the game is a DOS program this system cannot run: then the game
// and its network driver both run in DOSBox.
bool gameNeedsDosBox();
// Starts the DOS program `commandLine` names in DOSBox, without waiting, in
// the current folder, as WinExec would have started the program itself.
// `cache` is the launcher's own folder, for a junction to a folder DOSBox
// cannot mount.
void startInDosBox(const std::string& commandLine, int show, const dosbox::Setup& setup,
                   const std::function<std::string()>& cache);

}  // namespace win32::programs
