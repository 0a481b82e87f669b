// What the Windows scenarios ask Windows itself, run in Wine from the program's folder so that
// its faces and Qt are the program's own:
//   wintool TITLE         the visible window of that whole title: x y w h of its frame, then of
//                         its client area, on the screen (status 1: none)
//   wintool OUT.ppm TEXT  the main window's time-left box drawn read-only with TEXT, which the
//                         scenarios compare with the screen to read the box: Wine has no other way
#include "app/frmtasselday.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <QApplication>

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {
struct Box {
    ui::TextBox* txtDisplay;
};

int place(const char* title)
{
    HWND window = FindWindowA(nullptr, title);
    while (window && !IsWindowVisible(window))
        window = FindWindowExA(nullptr, window, nullptr, title);
    RECT w, c;
    POINT origin {0, 0};
    if (!window || !GetWindowRect(window, &w) || !GetClientRect(window, &c)
        || !ClientToScreen(window, &origin))
        return 1;
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", w.left, w.top, w.right - w.left,
        w.bottom - w.top, origin.x, origin.y, c.right, c.bottom);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 2)
        return place(argv[1]);
    QApplication app(argc, argv);
    const auto rows = layout::frmTasseldayControls();
    const auto box = std::find_if(rows.begin(), rows.end(),
        [](const auto& r) { return qstrcmp(r.control.name, "txtDisplay") == 0; });
    if (argc != 3 || box == rows.end())
        return 2;
    // An ordinary text box in the program's place, made read-only once it is there.
    ui::ControlRow look = box->look;
    look.text = argv[2];
    const ui::Row<Box> one[] = {{UI_CONTROL(Box, txtDisplay), look}};
    ui::FormOf<Box> form(layout::frmTasselday, one);
    form.load();
    ui::TextBox* edit = form.controls().txtDisplay;
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit->grab().save(QString::fromLocal8Bit(argv[1]), "PPM") ? 0 : 1;
}
