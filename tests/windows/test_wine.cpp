// The launcher and the Windows services it uses, against a real registry and real process
// start: cross-compiled with mingw-w64 and run under Wine by `make test-windows`. Only the
// launcher's message box is recorded; the box itself is shown once on its own and closed.
// The same program, copied, is the probe that the launcher starts: it reports how it was
// started and waits to be released.
#include "about/launcher.h"
#include "ui/registry.h"
#include "ui/windows_services.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

int failures = 0;
int failuresBefore = 0;
std::string current;

void check(bool ok, const std::string& what)
{
    if (!ok) {
        ++failures;
        std::printf("FAIL  %s: %s\n", current.c_str(), what.c_str());
    }
}

// Each case is one line of the report.
void begin(const std::string& name)
{
    if (!current.empty() && failures == failuresBefore)
        std::printf("ok    %s\n", current.c_str());
    failuresBefore = failures;
    current = name;
}

const std::string kBase = "C:\\Tasselday Tests";
const std::string kProbe = kBase + "\\probe tool.exe";
const std::string kDecoy = "C:\\Tasselday.exe"; // what a start split at the blank would run
const std::string kReport = kBase + "\\report.txt";
const char* const kRelease = "TasseldayProbeRelease";
const char* const kTestKey = "SOFTWARE\\Tasselday Tests";

std::string env(const char* name)
{
    char value[512];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n && n < sizeof value ? std::string(value, n) : std::string();
}

// ---- the probe ---------------------------------------------------------------------------

int probeMain()
{
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    {
        std::ofstream out(env("TASSELDAY_PROBE_REPORT") + ".part");
        out << GetCommandLineA() << '\n'
            << module << '\n'
            << ((startup.dwFlags & STARTF_USESHOWWINDOW) ? int(startup.wShowWindow) : -1) << '\n';
    }
    // Only a complete report appears under its name.
    MoveFileA((env("TASSELDAY_PROBE_REPORT") + ".part").c_str(), env("TASSELDAY_PROBE_REPORT").c_str());
    const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, kRelease);
    if (release)
        WaitForSingleObject(release, 20000);
    return 0;
}

// ---- the real registry, written through the API -------------------------------------------

struct Stored {
    DWORD type = REG_NONE; // REG_NONE: no such value (and no key)
    std::string bytes;
};

Stored text(const std::string& s) { return {REG_SZ, s + '\0'}; }
Stored raw(DWORD type, const std::string& bytes) { return {type, bytes}; }

void removeKey(const char* path)
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY, 0);
}

void store(const char* path, const char* name, const Stored& value)
{
    removeKey(path);
    if (value.type == REG_NONE)
        return;
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr);
    // RegSetValueExA counts a zero byte just past the text as the text's own; a guard byte
    // keeps an unterminated text unterminated.
    const std::string guarded = value.bytes + '!';
    if (rc == ERROR_SUCCESS)
        rc = RegSetValueExA(key, name, 0, value.type,
                            reinterpret_cast<const BYTE*>(guarded.data()), DWORD(value.bytes.size()));
    DWORD stored = 0;
    check(rc == ERROR_SUCCESS && RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &stored) == 0
              && stored == value.bytes.size(),
          std::string("writing ") + path + " (" + std::to_string(stored) + " bytes stored)");
    RegCloseKey(key);
}

// The real registry, with the paths of the keys opened noted down.
class WatchedRegistry final : public ui::Registry {
public:
    std::unique_ptr<ui::Registry> real = ui::systemRegistry();
    std::vector<std::string> opened;
    long openKey(std::uint32_t root, const std::string& path, std::uint32_t access, Key* key) override
    {
        opened.push_back(path);
        return real->openKey(root, path, access, key);
    }
    long queryValue(Key key, const std::string& name, std::uint32_t* type, char* data,
                    std::uint32_t* size) override
    {
        return real->queryValue(key, name, type, data, size);
    }
    void closeKey(Key key) override { real->closeKey(key); }
};

// ---- GetKeyValue's byte rules on what the system's ANSI query gives back -------------------

struct ReadCase {
    const char* name;
    Stored stored;
    bool found;
    std::string expected; // "!" : the empty-value error
};

void readValues()
{
    const std::string x1023(1023, 'x'), x1024(1024, 'x'), x1025(1025, 'x');
    const ReadCase cases[] = {
        {"text with its zero", text("a b"), true, "a b"},
        {"text without its zero", raw(REG_SZ, "a b"), true, "a b"},
        {"1024 bytes: 1023 characters and the zero", text(x1023), true, x1023},
        {"1024 bytes: 1024 characters, no zero", raw(REG_SZ, x1024), true, x1024},
        {"1025 bytes: 1024 characters and the zero", text(x1024), false, ""},
        {"1025 bytes: no zero", raw(REG_SZ, x1025), false, ""},
        {"empty text", text(""), true, ""},
        {"zero bytes", raw(REG_SZ, ""), false, "!"},
        {"number", raw(REG_DWORD, std::string("\x78\x56\x34\xAB", 4)), true, "&hAB345678"},
        {"number, zero top byte", raw(REG_DWORD, std::string("\x2C\x01\0\0", 4)), true, "&h00012C"},
        {"expandable text", raw(REG_EXPAND_SZ, std::string("%SystemRoot%\0", 13)), true, "left over"},
        {"binary", raw(REG_BINARY, "\x01\x02"), true, "left over"},
        {"no such value", {}, false, ""},
    };
    WatchedRegistry registry;
    for (const ReadCase& c : cases) {
        begin(std::string("GetKeyValue: ") + c.name);
        store(kTestKey, "V", c.stored);
        std::string value = c.stored.type == REG_DWORD ? "" : "left over";
        bool found = false, threw = false;
        try {
            found = sysinfo::GetKeyValue(registry, ui::reg::kLocalMachine, kTestKey, "V", value);
        } catch (const sysinfo::EmptyValueError&) {
            threw = true;
        }
        check(threw == (c.expected == "!"), "empty-value error");
        check(threw || found == c.found, "found");
        check(threw || value == c.expected, "value \"" + value.substr(0, 40) + "\"");
    }
    // Past 1024 bytes the system answers "more data" rather than a cut value.
    begin("ANSI query of 1025 bytes: more data");
    store(kTestKey, "V", text(std::string(1024, 'x')));
    ui::Registry::Key key = 0;
    check(registry.openKey(ui::reg::kLocalMachine, kTestKey, ui::reg::kReadAccess, &key) == 0, "open");
    std::vector<char> buffer(1024);
    std::uint32_t type = 0, size = 1024;
    check(registry.queryValue(key, "V", &type, buffer.data(), &size) == ui::reg::kMoreData,
          "ERROR_MORE_DATA");
    registry.closeKey(key);
    removeKey(kTestKey);
}

// ---- StartSysInfo: the search in its order, real files and real starts --------------------

struct Started {
    std::string commandLine, module;
    int show = -2;
};

bool waitFor(const std::function<bool()>& done, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        if (done())
            return true;
        Sleep(100);
    }
    return false;
}

DWORD processNamed(const char* exe)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, exe) == 0)
            found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

bool hasVisibleWindow(DWORD process)
{
    struct Search { DWORD process; bool found; } search{process, false};
    EnumWindows([](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->process && IsWindowVisible(window))
            s->found = true;
        return !s->found;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void place(const std::string& file, DWORD attributes)
{
    CreateDirectoryA(file.substr(0, file.rfind('\\')).c_str(), nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    check(CopyFileA(self, file.c_str(), FALSE), "copying " + file);
    if (attributes) {
        SetFileAttributesA(file.c_str(), attributes);
        check((GetFileAttributesA(file.c_str()) & attributes) == attributes,
              "the file system keeps the attributes of " + file);
    }
}

enum class Expect { Probe, WinesTool, Message };

struct StartCase {
    const char* name;
    Stored tool;           // value PATH of the tool's key
    Stored folder;         // value MSINFO of the folder's key
    Expect expect;
    std::string commandLine; // the probe's, when it is expected
};

void startTools()
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string plain = kBase + "\\plain", hidden = kBase + "\\hidden",
                      sys = kBase + "\\system", empty = kBase + "\\empty";
    begin("placing the probes");
    place(kProbe, 0);
    place(kDecoy, 0);
    place(plain + "\\MSINFO32.EXE", 0);
    place(hidden + "\\MSINFO32.EXE", FILE_ATTRIBUTE_HIDDEN);
    place(sys + "\\MSINFO32.EXE", FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA(empty.c_str(), nullptr);

    const StartCase cases[] = {
        {"tool key names a program (blanks in its path)", text(kProbe), text(plain), Expect::Probe, kProbe},
        {"tool key without its zero", raw(REG_SZ, kProbe), {}, Expect::Probe, kProbe},
        {"tool key missing, folder holds MSINFO32.EXE", {}, text(plain), Expect::Probe,
         plain + "\\MSINFO32.EXE"},
        {"tool key missing, folder of Wine's own msinfo32.exe", {}, text(system), Expect::WinesTool, ""},
        {"tool value of 1025 bytes counts as missing", text(std::string(1024, 'x')), text(plain),
         Expect::Probe, plain + "\\MSINFO32.EXE"},
        {"folder without the file", {}, text(empty), Expect::Message, ""},
        {"hidden file in the folder", {}, text(hidden), Expect::Message, ""},
        {"system file in the folder", {}, text(sys), Expect::Message, ""},
        {"neither key", {}, {}, Expect::Message, ""},
        {"tool key names a missing program", text(kBase + "\\missing.exe"), text(plain),
         Expect::Message, ""},
        {"empty tool value", text(""), text(plain), Expect::Message, ""},
        {"tool value of zero bytes", raw(REG_SZ, ""), text(plain), Expect::Message, ""},
        {"expandable tool value", raw(REG_EXPAND_SZ, kProbe + '\0'), text(plain), Expect::Message, ""},
        {"numeric tool value", raw(REG_DWORD, "\x01\0\0\0"), text(plain), Expect::Message, ""},
    };
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, kRelease);
    SetEnvironmentVariableA("TASSELDAY_PROBE_REPORT", kReport.c_str());
    for (const StartCase& c : cases) {
        begin(std::string("StartSysInfo: ") + c.name);
        store(sysinfo::kToolKey, sysinfo::kToolValue, c.tool);
        store(sysinfo::kFolderKey, sysinfo::kFolderValue, c.folder);
        DeleteFileA(kReport.c_str());
        ResetEvent(release);
        // An inheritable pipe end: a started program that inherited it keeps the pipe open.
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        CreatePipe(&readEnd, &writeEnd, &inherit, 0);
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

        WatchedRegistry registry;
        std::vector<std::string> told;
        const bool started = sysinfo::StartSysInfo(
            {registry, ui::win32::isOrdinaryFile, ui::win32::startProgram,
             [&](const std::string& t, const std::string& title) { told.push_back(title + ": " + t); },
             {}});
        CloseHandle(writeEnd);

        check(started == (c.expect != Expect::Message), "started");
        check(told == (c.expect == Expect::Message
                           ? std::vector<std::string>{"Tasselday: System Information Is Unavailable At This Time"}
                           : std::vector<std::string>{}),
              "the message");
        check(registry.opened.at(0) == sysinfo::kToolKey, "the tool's key first");
        check((registry.opened.size() == 2) == (c.tool.type == REG_NONE || c.tool.bytes.size() > 1024),
              "the folder's key read only when the tool's key fails");
        if (c.expect == Expect::Probe) {
            const bool reported = waitFor([] { return GetFileAttributesA(kReport.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30);
            check(reported, "the probe reports");
            std::ifstream in(kReport);
            Started s;
            std::getline(in, s.commandLine);
            std::getline(in, s.module);
            in >> s.show;
            check(s.commandLine == c.commandLine, "command line \"" + s.commandLine + "\"");
            check(lstrcmpiA(s.module.c_str(), c.commandLine.c_str()) == 0, "program \"" + s.module + "\"");
            check(s.show == SW_SHOWNORMAL, "normal window (" + std::to_string(s.show) + ")");
            DWORD available = 0;
            check(!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)
                      && GetLastError() == ERROR_BROKEN_PIPE,
                  "no handle inherited");
        } else if (c.expect == Expect::WinesTool) {
            DWORD tool = 0;
            check(waitFor([&] { return (tool = processNamed("msinfo32.exe")) != 0; }, 30),
                  "msinfo32.exe runs");
            check(tool && waitFor([&] { return hasVisibleWindow(tool); }, 30), "with a visible window");
            if (const HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, tool)) {
                TerminateProcess(h, 0);
                CloseHandle(h);
            }
        }
        SetEvent(release);
        CloseHandle(readEnd);
        Sleep(c.expect == Expect::Probe ? 300 : 0); // let the probe go before its file is reused
    }
    store(sysinfo::kToolKey, "", {});
    store(sysinfo::kFolderKey, "", {});
}

// ---- the real message box, closed by a watcher --------------------------------------------

void messageBox()
{
    begin("message box");
    struct Seen { std::string text; bool ok = false, cancel = true, icon = true; } seen;
    const HANDLE watcher = CreateThread(nullptr, 0, [](LPVOID param) -> DWORD {
        auto* s = static_cast<Seen*>(param);
        HWND box = nullptr;
        for (int i = 0; i < 300 && !(box && IsWindowVisible(box)); ++i, Sleep(100))
            box = FindWindowA("#32770", "Tasselday");
        if (!box)
            return 1;
        char text[256] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        s->text = text;
        s->ok = GetDlgItem(box, IDOK) && IsWindowVisible(GetDlgItem(box, IDOK));
        s->cancel = GetDlgItem(box, IDCANCEL) && IsWindowVisible(GetDlgItem(box, IDCANCEL));
        const HWND icon = GetDlgItem(box, 0x0440);
        s->icon = icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return 0;
    }, &seen, 0, nullptr);
    ui::win32::showMessage(sysinfo::kUnavailable, "Tasselday", false);
    WaitForSingleObject(watcher, 30000);
    check(seen.text == sysinfo::kUnavailable, "text \"" + seen.text + "\"");
    check(seen.ok && !seen.cancel, "only OK");
    check(!seen.icon, "no icon");
}

// ---- the version resource -----------------------------------------------------------------

void versionResource()
{
    begin("version resource");
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeA(self, nullptr));
    check(!info.empty() && GetFileVersionInfoA(self, 0, DWORD(info.size()), info.data()), "present");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT n = 0;
    if (!info.empty() && VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &n))
        check(fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0x00000015,
              "file version 1.0.0.21");
    else
        check(false, "fixed file information");
    char* product = nullptr;
    check(!info.empty()
              && VerQueryValueA(info.data(), "\\StringFileInfo\\040904B0\\ProductName",
                                reinterpret_cast<void**>(&product), &n)
              && std::string(product) == "Tasselday",
          "product name");
    check(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0) != nullptr,
          "the program's icon");
}

} // namespace

int main()
{
    if (!env("TASSELDAY_PROBE_REPORT").empty())
        return probeMain();
    const DWORD start = GetTickCount();
    readValues();
    startTools();
    messageBox();
    versionResource();
    begin("");
    std::printf("%s: %d failure(s), %.1f s\n", failures ? "FAILED" : "PASSED", failures,
                (GetTickCount() - start) / 1000.0);
    return failures ? 1 : 0;
}
