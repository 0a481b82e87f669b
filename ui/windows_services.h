#pragma once
#include <string>

// The Windows desktop services the launcher uses, in standard C++ and Win32 only, so that they
// build and run without Qt. Texts are in the system's ANSI code page. Defined on Windows only.
namespace ui::win32 {

// Starts the program at `path` without waiting: the path names the program exactly (never
// split at blanks, no search), and in quotes is its whole command line, so the program sees
// no arguments; a normal window with the focus; no handles inherited. False when it could
// not be started.
bool startProgram(const std::string& path);

// True for an existing file that is neither a folder nor hidden nor a system file.
bool isOrdinaryFile(const std::string& path);

} // namespace ui::win32
