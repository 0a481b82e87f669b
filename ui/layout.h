#pragma once
#include "ui/fonts.h"

#include <QtGlobal>

// A window's layout as data: one row per control, positions and sizes in twips,
// colours as 0x00BBGGRR. Windows keep their table next to their class.
namespace ui {

enum class Kind { Label, TextBox, Button, ComboList, ProgressBar, Picture, Line, Shape, Timer };

inline constexpr qint64 kDefault = -1; // colour left to the platform

struct ControlSpec {
    Kind kind;
    const char* name;
    const char* text = "";
    // Line: from (left, top) to (width, height).
    double left = 0, top = 0, width = 0, height = 0;
    qint64 back = kDefault;
    qint64 fore = kDefault;
    FontSpec font = {};
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool transparent = false;
    bool wordWrap = false;
    int typedLimit = 0;  // text boxes: characters the user may type, 0 for no limit
    int lineWidth = 1;   // lines: pixels
    int interval = 0;    // timers: milliseconds; they run from load to unload
    const char* items = nullptr; // drop-down lists: items separated by '|'
};

enum class Frame {
    FixedSingle, // title bar, minimize and close boxes, no resizing
    FixedDialog, // title bar and close box only
    FixedToolDialog, // like FixedDialog, without a taskbar button
    None,        // no frame at all, no taskbar button
};

enum class StackOrder { LastOnTop, FirstOnTop };

struct WindowSpec {
    const char* caption;
    double clientWidth, clientHeight; // twips
    quint32 back;
    Frame frame;
    FontSpec font = {"MS Sans Serif", 8.25};
    StackOrder stacking = StackOrder::LastOnTop;
};

} // namespace ui
