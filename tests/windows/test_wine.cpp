// The launcher and the Windows services it uses, on Wine's real registry and process start.
// The program's Qt-free headers come after <windows.h>: they must compile beside its macros.
#include <windows.h>

#include "about/launcher.h"
#include "ui/registry.h"
#include "ui/windows_services.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

// The real registry as an ordinary user meets it, who may only read the machine's keys (Wine
// grants any rights), counting the keys left open.
struct UserRegistry final : ui::Registry {
    std::unique_ptr<ui::Registry> real = ui::systemRegistry();
    int open = 0;
    long openKey(
        std::uint32_t root, const std::string& path, std::uint32_t access, Key* key) override
    {
        const long status = access & ~(KEY_READ | KEY_WOW64_64KEY)
            ? ERROR_ACCESS_DENIED
            : real->openKey(root, path, access, key);
        open += status == ERROR_SUCCESS;
        return status;
    }
    long queryValue(Key key, const std::string& name, std::uint32_t* type, char* data,
        std::uint32_t* size) override
    {
        return real->queryValue(key, name, type, data, size);
    }
    void closeKey(Key key) override
    {
        --open;
        real->closeKey(key);
    }
};

const std::string kBase = "C:\\Tasselday Tests", kProbe = kBase + "\\probe tool.exe";
const std::string kReport = kBase + "\\report.txt";
const std::string kMessage = "Tasselday: " + std::string(sysinfo::kUnavailable) + '\n';

// Written through the API, REG_NONE for no key; a guard byte keeps an unterminated text
// unterminated, since the system would count a zero just past the text as its own.
bool store(const char* path, const char* name, DWORD type, const std::string& bytes)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
    return type == REG_NONE
        || !RegSetKeyValueA(
            HKEY_LOCAL_MACHINE, path, name, type, (bytes + '!').data(), DWORD(bytes.size()));
}

} // namespace

// The search on the registry's own answers, with real files and starts: what the probe reports
// (shown normally, no arguments, no handle inherited), or the message on each request afresh.
int main()
{
    // As the probe, a copy of this program that the launcher starts: reports its command line
    // and how it is shown, and sets the tester's event through the handle it would hold if it
    // inherited it; the report appears whole.
    if (const char* event = std::getenv("TASSELDAY_PROBE")) {
        SetEvent(HANDLE(std::stoull(event)));
        STARTUPINFOA startup {};
        GetStartupInfoA(&startup);
        const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
        std::ofstream(kReport + ".part") << GetCommandLineA() << ", shown " << show;
        return !MoveFileA((kReport + ".part").c_str(), kReport.c_str());
    }
    const std::string plain = kBase + "\\plain\\MSINFO32.EXE", number = "&h00012C";
    const std::string hidden = kBase + "\\hidden\\MSINFO32.EXE";
    // The last: what a start split at the blank would run.
    for (const std::string& file :
        {kProbe, plain, hidden, kBase + "\\" + number, std::string("C:\\Tasselday.exe")}) {
        CreateDirectoryA(file.substr(0, file.rfind('\\')).c_str(), nullptr);
        CopyFileA(_pgmptr, file.c_str(), FALSE);
    }
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetCurrentDirectoryA(kBase.c_str()); // where a path without its folder is found
    const std::string folder = kBase + "\\plain" + '\0';
    const struct {
        const char* name;
        DWORD type;
        std::string tool, folder, started;
    } cases[] = {
        {"tool key names a program, blanks in its path", REG_SZ, kProbe + '\0', folder, kProbe},
        {"tool key without its zero", REG_SZ, kProbe, folder, kProbe},
        {"tool value of 1025 bytes", REG_SZ, std::string(1024, 'x') + '\0', folder, plain},
        // Read, so the folder is not tried; no program has that name.
        {"tool value of 1024 bytes", REG_SZ, std::string(1023, 'x') + '\0', folder, ""},
        {"hidden file in the folder", REG_NONE, "", kBase + "\\hidden" + '\0', ""},
        {"tool key names a missing program", REG_SZ, kBase + "\\missing.exe", folder, ""},
        // "&h" and the bytes in hex, most significant first, the top zero byte lost.
        {"tool value a number", REG_DWORD, std::string("\x2C\x01\0\0", 4), folder, number},
        {"tool value of zero bytes", REG_SZ, "", folder, ""},
    };
    SECURITY_ATTRIBUTES inheritable {sizeof inheritable, nullptr, TRUE};
    const HANDLE event = CreateEventA(&inheritable, TRUE, FALSE, nullptr);
    SetEnvironmentVariableA("TASSELDAY_PROBE", std::to_string(std::uintptr_t(event)).c_str());
    UserRegistry registry;
    int failures = 0;
    for (const auto& c : cases) {
        std::string seen, expected = '"' + c.started + "\", shown 1";
        if (!store(sysinfo::kToolKey, sysinfo::kToolValue, c.type, c.tool)
            || !store(sysinfo::kFolderKey, sysinfo::kFolderValue, REG_SZ, c.folder))
            seen = "registry refused";
        DeleteFileA(kReport.c_str());
        ResetEvent(event);
        const sysinfo::Tools tools {registry, ui::win32::isOrdinaryFile, ui::win32::startProgram,
            [&](auto& text, auto& title) { seen += title + ": " + text + '\n'; }, {}};
        if (c.started.empty()) {
            sysinfo::StartSysInfo(tools);
            sysinfo::StartSysInfo(tools); // and again
            expected = kMessage + kMessage;
        } else if (sysinfo::StartSysInfo(tools)) {
            std::string report;
            for (int i = 0; i < 300 && !std::getline(std::ifstream(kReport), report); ++i)
                Sleep(100);
            seen += report + (WaitForSingleObject(event, 0) == WAIT_OBJECT_0 ? ", inheriting" : "");
        }
        seen += registry.open ? ", keys left open" : "";
        const bool ok = seen == expected;
        failures += !ok;
        std::printf("%s  %s%s\n", ok ? "ok  " : "FAIL", c.name, ok ? "" : (": " + seen).c_str());
    }
    std::printf("%d failure(s)\n", failures);
    return failures ? 1 : 0;
}
