// The launcher and the Windows services it uses, against Wine's real registry and real
// process start. The program's Qt-free headers come after <windows.h>: they must compile
// beside its macros, and their numbers must be the system's. The same program, copied, is
// the probe the launcher starts: it reports how it was started and waits to be released.
#include <windows.h>
// after <windows.h>, which it needs
#include <shellapi.h>

#include "about/launcher.h"
#include "ui/registry.h"
#include "ui/windows_services.h"

#include <cstdio>
#include <fstream>
#include <string>

static_assert(ui::reg::kReadAccess == (KEY_READ | KEY_WOW64_64KEY));
static_assert(ui::reg::kText == REG_SZ && ui::reg::kNumber == REG_DWORD);
static_assert(ui::reg::kSuccess == ERROR_SUCCESS && ui::reg::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(
    ui::reg::kAccessDenied == ERROR_ACCESS_DENIED && ui::reg::kMoreData == ERROR_MORE_DATA);

namespace {

int failures = 0;
void check(bool ok, const std::string& what, const std::string& problem)
{
    failures += !ok;
    std::printf("%s  %s%s%s\n", ok ? "ok  " : "FAIL", what.c_str(), ok ? "" : ": ",
        ok ? "" : problem.c_str());
}

const std::string kBase = "C:\\Tasselday Tests", kProbe = kBase + "\\probe tool.exe";
const std::string kReport = kBase + "\\report.txt";

std::string self()
{
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

// Writes how it was started, with the arguments its runtime found; only a whole report appears.
int probeMain(const std::string& report, int argc)
{
    STARTUPINFOA startup {};
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    std::ofstream(report + ".part") << GetCommandLineA() << '\n'
                                    << self() << '\n'
                                    << show << ' ' << argc - 1 << '\n';
    MoveFileA((report + ".part").c_str(), report.c_str());
    if (const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "TasseldayProbeRelease"))
        WaitForSingleObject(release, 20000);
    return 0;
}

// Written through the API, REG_NONE for no key; a guard byte keeps an unterminated text
// unterminated, since RegSetValueExA would count a zero just past the text as its own.
void store(const char* path, const char* name, DWORD type, const std::string& bytes)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY, 0);
    HKEY key = nullptr;
    const std::string guarded = bytes + '!';
    if (type != REG_NONE
        && (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0,
                KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr)
            || RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                DWORD(bytes.size()))))
        check(false, std::string("writing ") + path, "refused");
    RegCloseKey(key);
}

void place(const std::string& file, DWORD attributes)
{
    CreateDirectoryA(file.substr(0, file.rfind('\\')).c_str(), nullptr);
    if (!CopyFileA(self().c_str(), file.c_str(), FALSE)
        || !SetFileAttributesA(file.c_str(), attributes))
        check(false, "placing " + file, "copy");
}

// The search in its order on the registry's own answers, with real files and real starts:
// the probe's command line (shown normally, with no arguments, inheriting no handle), or
// empty for the message.
void startTools()
{
    const std::string plain = kBase + "\\plain\\MSINFO32.EXE",
                      hidden = kBase + "\\hidden\\MSINFO32.EXE";
    place(kProbe, FILE_ATTRIBUTE_NORMAL);
    place("C:\\Tasselday.exe", FILE_ATTRIBUTE_NORMAL); // what a start split at the blank would run
    place(plain, FILE_ATTRIBUTE_NORMAL);
    place(hidden, FILE_ATTRIBUTE_HIDDEN);
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
    };
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "TasseldayProbeRelease");
    SetEnvironmentVariableA("TASSELDAY_PROBE_REPORT", kReport.c_str());
    for (const auto& c : cases) {
        store(sysinfo::kToolKey, sysinfo::kToolValue, c.type, c.tool);
        store(sysinfo::kFolderKey, sysinfo::kFolderValue, c.folder.empty() ? REG_NONE : REG_SZ,
            c.folder);
        DeleteFileA(kReport.c_str());
        ResetEvent(release);
        // An inheritable pipe end: a started program that inherited it keeps the pipe open.
        SECURITY_ATTRIBUTES inherit {sizeof inherit, nullptr, TRUE};
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        CreatePipe(&readEnd, &writeEnd, &inherit, 0);
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        const auto registry = ui::systemRegistry();
        std::string seen;
        auto tell = [&](const std::string& text, const std::string& title) {
            seen += title + ": " + text;
        };
        const bool started = sysinfo::StartSysInfo(
            {*registry, ui::win32::isOrdinaryFile, ui::win32::startProgram, tell, {}});
        CloseHandle(writeEnd);
        for (int i = 0;
             i < 300 && started && GetFileAttributesA(kReport.c_str()) == INVALID_FILE_ATTRIBUTES;
             ++i)
            Sleep(100);
        std::string commandLine, module, show;
        std::ifstream in(kReport);
        std::getline(std::getline(std::getline(in, commandLine), module), show);
        DWORD available = 0;
        if (started)
            seen += commandLine + " from "
                + (lstrcmpiA(module.c_str(), c.started.c_str()) ? module : "itself")
                + ", shown and arguments " + show
                + (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) ? ", inheriting"
                                                                                    : "");
        check(seen
                == (c.started.empty()
                        ? "Tasselday: " + std::string(sysinfo::kUnavailable)
                        : '"' + c.started + "\" from itself, shown and arguments 1 0"),
            std::string("StartSysInfo: ") + c.name, seen);
        SetEvent(release);
        CloseHandle(readEnd);
        Sleep(started ? 300 : 0); // let the probe go before its file is reused
    }
}

} // namespace

int main(int argc, char**)
{
    char report[MAX_PATH];
    if (GetEnvironmentVariableA("TASSELDAY_PROBE_REPORT", report, MAX_PATH))
        return probeMain(report, argc);
    const DWORD start = GetTickCount();
    startTools();
    std::printf("%s: %d failure(s), %.1f s\n", failures ? "FAILED" : "PASSED", failures,
        (GetTickCount() - start) / 1000.0);
    return failures ? 1 : 0;
}
