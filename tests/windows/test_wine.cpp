// The launcher and the Windows services it uses, against Wine's real registry and real
// process start. The program's Qt-free headers come after <windows.h>: they must compile
// beside its macros, and their numbers must be the system's. The same program, copied, is
// the probe the launcher starts: it reports how it was started.
#include <windows.h>

#include "about/launcher.h"
#include "ui/registry.h"
#include "ui/windows_services.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

static_assert(ui::reg::kReadAccess == (KEY_READ | KEY_WOW64_64KEY));
static_assert(ui::reg::kText == REG_SZ && ui::reg::kNumber == REG_DWORD);
static_assert(ui::reg::kSuccess == ERROR_SUCCESS && ui::reg::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(
    ui::reg::kAccessDenied == ERROR_ACCESS_DENIED && ui::reg::kMoreData == ERROR_MORE_DATA);

namespace {

const std::string kBase = "C:\\Tasselday Tests", kProbe = kBase + "\\probe tool.exe";
const std::string kReport = kBase + "\\report.txt";

std::string self()
{
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

// Reports its command line, its file, how it is shown and how many arguments its runtime
// found, and sets the tester's event through the handle it would hold had it inherited it.
// Only a whole report appears.
int probeMain(const char* event, int argc)
{
    SetEvent(HANDLE(std::stoull(event)));
    STARTUPINFOA startup {};
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    std::ofstream(kReport + ".part") << GetCommandLineA() << " from " << self() << ", shown "
                                     << show << ", arguments " << argc - 1;
    return !MoveFileA((kReport + ".part").c_str(), kReport.c_str());
}

// Written through the API, REG_NONE for no key; a guard byte keeps an unterminated text
// unterminated, since RegSetValueExA would count a zero just past the text as its own.
bool store(const char* path, const char* name, DWORD type, const std::string& bytes)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY, 0);
    HKEY key = nullptr;
    const std::string guarded = bytes + '!';
    const bool stored = type == REG_NONE
        || (!RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0,
                KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr)
            && !RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                DWORD(bytes.size())));
    RegCloseKey(key);
    return stored;
}

bool place(const std::string& file, DWORD attributes)
{
    CreateDirectoryA(file.substr(0, file.rfind('\\')).c_str(), nullptr);
    return CopyFileA(self().c_str(), file.c_str(), FALSE)
        && SetFileAttributesA(file.c_str(), attributes);
}

// The search in its order on the registry's own answers, with real files and real starts:
// what the probe reports (shown normally, with no arguments, inheriting no handle) or, on
// each request afresh, the message. Returns the number of failures.
int startTools()
{
    const std::string plain = kBase + "\\plain\\MSINFO32.EXE", number = "&h00012C";
    // The last: what a start split at the blank would run.
    for (const std::string& file :
        {kProbe, plain, kBase + "\\" + number, std::string("C:\\Tasselday.exe")})
        place(file, FILE_ATTRIBUTE_NORMAL);
    place(kBase + "\\hidden\\MSINFO32.EXE", FILE_ATTRIBUTE_HIDDEN);
    SetCurrentDirectoryA(kBase.c_str()); // where a path without its folder is found
    const std::string folder = kBase + "\\plain" + '\0';
    const struct {
        const char* name;
        DWORD type;
        std::string tool, folder, started;
    } cases[] = {
        {"tool key names a program, blanks in its path", REG_SZ, kProbe + '\0', folder, kProbe},
        {"tool key without its zero", REG_SZ, kProbe, "", kProbe},
        {"tool value of 1025 bytes: the folder's file", REG_SZ, std::string(1024, 'x') + '\0',
            folder, plain},
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
    const auto registry = ui::systemRegistry();
    int failures = 0;
    for (const auto& c : cases) {
        std::string seen, expected;
        if (!store(sysinfo::kToolKey, sysinfo::kToolValue, c.type, c.tool)
            || !store(sysinfo::kFolderKey, sysinfo::kFolderValue,
                c.folder.empty() ? REG_NONE : REG_SZ, c.folder))
            seen = "registry refused";
        DeleteFileA(kReport.c_str());
        ResetEvent(event);
        auto tell = [&](const std::string& text, const std::string& title) {
            seen += title + ": " + text + '\n';
        };
        const sysinfo::Tools tools {
            *registry, ui::win32::isOrdinaryFile, ui::win32::startProgram, tell, {}};
        if (c.started.empty()) {
            for (int request = 0; request < 2; ++request) {
                sysinfo::StartSysInfo(tools);
                expected += "Tasselday: " + std::string(sysinfo::kUnavailable) + '\n';
            }
        } else if (sysinfo::StartSysInfo(tools)) {
            for (int i = 0;
                 i < 300 && GetFileAttributesA(kReport.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
                Sleep(100);
            char full[MAX_PATH];
            GetFullPathNameA(c.started.c_str(), MAX_PATH, full, nullptr);
            expected = '"' + c.started + "\" from " + full + ", shown 1, arguments 0";
            seen += (std::ostringstream() << std::ifstream(kReport).rdbuf()).str();
            seen += WaitForSingleObject(event, 0) == WAIT_OBJECT_0 ? ", inheriting" : "";
        }
        failures += seen != expected;
        std::printf("%s  StartSysInfo: %s%s%s\n", seen == expected ? "ok  " : "FAIL", c.name,
            seen == expected ? "" : ": ", seen == expected ? "" : seen.c_str());
    }
    return failures;
}

} // namespace

int main(int argc, char**)
{
    char event[32];
    if (GetEnvironmentVariableA("TASSELDAY_PROBE", event, sizeof event))
        return probeMain(event, argc);
    const DWORD start = GetTickCount();
    const int failures = startTools();
    std::printf("%s: %d failure(s), %.1f s\n", failures ? "FAILED" : "PASSED", failures,
        (GetTickCount() - start) / 1000.0);
    return failures ? 1 : 0;
}
