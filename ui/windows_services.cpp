#include "ui/windows_services.h"

#include <windows.h>

#include <vector>

namespace ui::win32 {

bool startProgram(const std::string& path)
{
    if (path.empty())
        return false;
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process {};
    // The program is named exactly; its command line holds the path in quotes, so that a
    // path with blanks reaches the program as its one argument, not as several. The copy is
    // the command line's own, as CreateProcessA may write into it.
    const std::string quoted = '"' + path + '"';
    std::vector<char> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back('\0');
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            nullptr, &startup, &process))
        return false;
    // We are in the foreground (the user just clicked); let the tool take the focus.
    AllowSetForegroundWindow(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool isOrdinaryFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        == 0;
}

} // namespace ui::win32
