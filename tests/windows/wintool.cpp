// What the end-to-end scenarios ask Windows itself, from inside Wine:
//   wintool TITLE   the visible top-level window of that whole title, on the screen: its
//                   rectangle and its client area's, x y w h cx cy cw ch
// Exit status 1 when there is no such window.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    HWND window = FindWindowA(nullptr, argv[1]);
    while (window && !IsWindowVisible(window))
        window = FindWindowExA(nullptr, window, nullptr, argv[1]);
    RECT w, c;
    POINT origin {0, 0};
    if (!window || !GetWindowRect(window, &w) || !GetClientRect(window, &c)
        || !ClientToScreen(window, &origin))
        return 1;
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", w.left, w.top, w.right - w.left,
        w.bottom - w.top, origin.x, origin.y, c.right, c.bottom);
    return 0;
}
