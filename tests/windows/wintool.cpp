// What the end-to-end scenarios ask Windows itself, from inside Wine:
//   wintool rect TITLE   the visible top-level window of that whole title, on the screen:
//                        its rectangle and its client area's, x y w h cx cy cw ch
//   wintool clip         the clipboard's text, in UTF-8
// Exit status 1 when there is no such window or no text.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "clip") {
        if (!OpenClipboard(nullptr))
            return 1;
        const HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
        if (text) {
            const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
            std::string out(n > 0 ? n - 1 : 0, '\0');
            WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
            std::fputs(out.c_str(), stdout);
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text ? 0 : 1;
    }
    if (command != "rect" || argc != 3)
        return 2;
    HWND window = FindWindowA(nullptr, argv[2]);
    while (window && !IsWindowVisible(window))
        window = FindWindowExA(nullptr, window, nullptr, argv[2]);
    RECT w, c;
    POINT origin {0, 0};
    if (!window || !GetWindowRect(window, &w) || !GetClientRect(window, &c)
        || !ClientToScreen(window, &origin))
        return 1;
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", w.left, w.top, w.right - w.left,
        w.bottom - w.top, origin.x, origin.y, c.right, c.bottom);
    return 0;
}
