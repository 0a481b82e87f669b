// The launcher and the Windows services it uses, against Wine's real registry and real
// process start. The program's Qt-free headers come after <windows.h>: they must compile
// beside its macros, and their numbers must be the system's. The same program, copied, is
// the probe the launcher starts: it reports how it was started and waits to be released.
#include <windows.h>
#include <shellapi.h>

#include "about/launcher.h"
#include "ui/clock.h"
#include "ui/lifetime.h"
#include "ui/registry.h"
#include "ui/windows_services.h"
#include "version.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

static_assert(ui::reg::kReadOnly == KEY_READ && ui::reg::kView64 == KEY_WOW64_64KEY);
static_assert(ui::reg::kText == REG_SZ && ui::reg::kNumber == REG_DWORD);
static_assert(ui::reg::kExpandableText == REG_EXPAND_SZ && ui::reg::kBinary == REG_BINARY);
static_assert(ui::reg::kSuccess == ERROR_SUCCESS && ui::reg::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(ui::reg::kAccessDenied == ERROR_ACCESS_DENIED && ui::reg::kMoreData == ERROR_MORE_DATA);

namespace {

int failures = 0;
void check(bool ok, const std::string& where, const std::string& what)
{
    failures += !ok;
    std::printf("%s  %s%s%s\n", ok ? "ok  " : "FAIL", where.c_str(), ok ? "" : ": ", ok ? "" : what.c_str());
}

const std::string kBase = "C:\\Tasselday Tests", kProbe = kBase + "\\probe tool.exe";
const std::string kDecoy = "C:\\Tasselday.exe"; // what a start split at the blank would run
const std::string kReport = kBase + "\\report.txt";
const char* const kRelease = "TasseldayProbeRelease";

std::string self()
{
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

int probeMain(const std::string& report)
{
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    std::ofstream(report + ".part") << GetCommandLineA() << '\n' << self() << '\n'
        << ((startup.dwFlags & STARTF_USESHOWWINDOW) ? int(startup.wShowWindow) : -1) << '\n';
    MoveFileA((report + ".part").c_str(), report.c_str()); // only a whole report appears
    if (const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, kRelease))
        WaitForSingleObject(release, 20000);
    return 0;
}

struct Stored {
    DWORD type = REG_NONE; // no such value, and no key
    std::string bytes;
};
Stored text(const std::string& s) { return {REG_SZ, s + '\0'}; }

// Written through the API; a guard byte keeps an unterminated text unterminated, since
// RegSetValueExA would count a zero just past the text as the text's own.
void store(const char* path, const char* name, const Stored& value)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY, 0);
    HKEY key = nullptr;
    const std::string guarded = value.bytes + '!';
    DWORD size = 0;
    const bool ok = value.type == REG_NONE
        || (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                            nullptr, &key, nullptr) == 0
            && RegSetValueExA(key, name, 0, value.type, reinterpret_cast<const BYTE*>(guarded.data()),
                              DWORD(value.bytes.size())) == 0
            && RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) == 0
            && size == value.bytes.size());
    if (key)
        RegCloseKey(key);
    if (!ok)
        check(false, std::string("writing ") + path, std::to_string(size) + " bytes stored");
}

bool waitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 300; ++i, Sleep(100)) // 30 s
        if (done())
            return true;
    return false;
}

void place(const std::string& file, DWORD attributes)
{
    CreateDirectoryA(file.substr(0, file.rfind('\\')).c_str(), nullptr);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(self().c_str(), file.c_str(), FALSE) || !SetFileAttributesA(file.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL))
        check(false, "placing " + file, "copy");
}

// The search in its order, on the registry's own answers (texts with and without their
// zero, values past 1024 bytes, empty ones), with real files and real starts. "started": the probe's command
// line, empty for the message.
void startTools()
{
    const std::string plain = kBase + "\\plain", hidden = kBase + "\\hidden", sys = kBase + "\\system";
    place(kProbe, 0);
    place(kDecoy, 0);
    place(plain + "\\MSINFO32.EXE", 0);
    place(hidden + "\\MSINFO32.EXE", FILE_ATTRIBUTE_HIDDEN);
    place(sys + "\\MSINFO32.EXE", FILE_ATTRIBUTE_SYSTEM);
    const struct { const char* name; Stored tool, folder; std::string started; } cases[] = {
        {"tool key names a program, blanks in its path", text(kProbe), text(plain), kProbe},
        {"tool key without its zero", {REG_SZ, kProbe}, {}, kProbe},
        {"folder holds MSINFO32.EXE", {}, text(plain), plain + "\\MSINFO32.EXE"},
        {"tool value of 1025 bytes counts as missing", text(std::string(1024, 'x')), text(plain),
         plain + "\\MSINFO32.EXE"},
        {"folder without the file", {}, text(kBase), ""},
        {"hidden file in the folder", {}, text(hidden), ""},
        {"system file in the folder", {}, text(sys), ""},
        {"neither key", {}, {}, ""},
        {"tool key names a missing program", text(kBase + "\\missing.exe"), text(plain), ""},
        {"tool value of zero bytes", {REG_SZ, ""}, text(plain), ""},
        {"expandable tool value", {REG_EXPAND_SZ, kProbe + '\0'}, text(plain), ""},
    };
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, kRelease);
    SetEnvironmentVariableA("TASSELDAY_PROBE_REPORT", kReport.c_str());
    for (const auto& c : cases) {
        store(sysinfo::kToolKey, sysinfo::kToolValue, c.tool);
        store(sysinfo::kFolderKey, sysinfo::kFolderValue, c.folder);
        DeleteFileA(kReport.c_str());
        ResetEvent(release);
        // An inheritable pipe end: a started program that inherited it keeps the pipe open.
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        CreatePipe(&readEnd, &writeEnd, &inherit, 0);
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        const auto registry = ui::systemRegistry();
        std::vector<std::string> told;
        const bool started = sysinfo::StartSysInfo({*registry, ui::win32::isOrdinaryFile, ui::win32::startProgram,
            [&](const std::string& t, const std::string& title) { told.push_back(title + ": " + t); }, {}});
        CloseHandle(writeEnd);
        std::string problems;
        auto expect = [&](bool ok, const std::string& what) { problems += ok ? "" : what + "; "; };
        expect(started == !c.started.empty(), "started");
        expect(told == (c.started.empty() ? std::vector<std::string>{"Tasselday: System Information Is Unavailable At This Time"}
                                          : std::vector<std::string>{}), "the message");
        if (!c.started.empty()) {
            expect(waitFor([] { return GetFileAttributesA(kReport.c_str()) != INVALID_FILE_ATTRIBUTES; }), "a report");
            std::ifstream in(kReport);
            std::string commandLine, module;
            int show = -2;
            std::getline(in, commandLine);
            std::getline(in, module);
            in >> show;
            expect(commandLine == c.started && lstrcmpiA(module.c_str(), c.started.c_str()) == 0,
                   "started as \"" + commandLine + "\" from \"" + module + "\"");
            expect(show == SW_SHOWNORMAL, "normal window (" + std::to_string(show) + ")");
            DWORD available = 0;
            expect(!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)
                       && GetLastError() == ERROR_BROKEN_PIPE, "no handle inherited");
        }
        check(problems.empty(), std::string("StartSysInfo: ") + c.name, problems);
        SetEvent(release);
        CloseHandle(readEnd);
        Sleep(c.started.empty() ? 0 : 300); // let the probe go before its file is reused
    }
    store(sysinfo::kToolKey, "", {});
    store(sysinfo::kFolderKey, "", {});
}

// The real message box, read and closed by a watcher thread.
void messageBox()
{
    struct Seen { std::string text; bool ok = false, cancel = true, icon = true; } seen;
    const HANDLE watcher = CreateThread(nullptr, 0, [](LPVOID param) -> DWORD {
        auto* s = static_cast<Seen*>(param);
        HWND box = nullptr;
        for (int i = 0; i < 300 && !(box && IsWindowVisible(box)); ++i, Sleep(100))
            box = FindWindowA("#32770", "Tasselday");
        char text[256] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        s->text = text;
        s->ok = IsWindowVisible(GetDlgItem(box, IDOK));
        s->cancel = IsWindowVisible(GetDlgItem(box, IDCANCEL));
        s->icon = SendMessageA(GetDlgItem(box, 0x0440), STM_GETICON, 0, 0) != 0;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return 0;
    }, &seen, 0, nullptr);
    ui::win32::showMessage(sysinfo::kUnavailable, "Tasselday", false);
    WaitForSingleObject(watcher, 30000);
    check(seen.text == sysinfo::kUnavailable && seen.ok && !seen.cancel && !seen.icon,
          "message box: its text, only OK, no icon", "\"" + seen.text + "\"");
}

void versionResource()
{
    std::vector<char> info(GetFileVersionInfoSizeA(self().c_str(), nullptr) + 1);
    VS_FIXEDFILEINFO* fixed = nullptr;
    char* product = nullptr;
    UINT n = 0;
    check(GetFileVersionInfoA(self().c_str(), 0, DWORD(info.size()), info.data())
              && VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &n)
              && fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0x00000015
              && VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductName",
                                reinterpret_cast<void**>(&product), &n)
              && std::string(product) == "Tasselday"
              && LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0),
          "version resource: 1.0.0.21, Tasselday, the program's icon", "missing or wrong");
}

} // namespace

int main()
{
    char report[MAX_PATH];
    if (GetEnvironmentVariableA("TASSELDAY_PROBE_REPORT", report, MAX_PATH))
        return probeMain(report);
    const DWORD start = GetTickCount();
    startTools();
    messageBox();
    versionResource();
    std::printf("%s: %d failure(s), %.1f s\n", failures ? "FAILED" : "PASSED", failures,
                (GetTickCount() - start) / 1000.0);
    return failures ? 1 : 0;
}
