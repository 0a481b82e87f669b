#pragma once
#include "ui/fonts.h"

#include <QCursor>
#include <QtGlobal>

class QLabel;
class QObject;
class QTimer;

// A window's layout as data: one row per control, positions and sizes in twips,
// colours as 0x00BBGGRR. Windows keep their table next to their class. The rows are made
// in their order, so that order is the stacking (the last row on top) and the Tab order.
// The rows also carry the roles the form layer carries out for every window alike: links,
// the default and cancel buttons, and pointers.
namespace ui {

class Button;
class ComboList;
class DisplayBox;
class Label;
class ProgressBar;
class TextBox;
using Picture = QLabel; // a plain label holding a pixmap

enum class Kind {
    Label,
    TextBox,
    DisplayBox,
    Button,
    ComboList,
    ProgressBar,
    Picture,
    Line,
    Shape,
    Timer
};

// The kind of control a row makes, from the type of the member it fills; any other type
// does not compile.
template <class T> inline constexpr Kind kindOf = T::isNotAControlKind;
template <> inline constexpr Kind kindOf<Label> = Kind::Label;
template <> inline constexpr Kind kindOf<TextBox> = Kind::TextBox;
template <> inline constexpr Kind kindOf<DisplayBox> = Kind::DisplayBox;
template <> inline constexpr Kind kindOf<Button> = Kind::Button;
template <> inline constexpr Kind kindOf<ComboList> = Kind::ComboList;
template <> inline constexpr Kind kindOf<ProgressBar> = Kind::ProgressBar;
template <> inline constexpr Kind kindOf<Picture> = Kind::Picture;
template <> inline constexpr Kind kindOf<QTimer> = Kind::Timer;

inline constexpr qint64 kDefault = -1; // colour left to the platform

// How a button answers the window's Enter and Escape: the default one is Qt's default button,
// and a cancel button carries this property.
enum class ButtonRole { None, Default, Cancel, DefaultAndCancel };
inline constexpr const char* kCancels = "ui_cancels";

// How a control looks and what roles it has; which control it is comes from its Row.
struct ControlRow {
    const char* text = "";
    // Line: across from (left, top) to (width, top).
    double left = 0, top = 0, width = 0, height = 0;
    qint64 back = kDefault; // a label without one is transparent
    qint64 fore = kDefault;
    FontSettings font = {};
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    int typedLimit = 0; // text boxes: characters the user may type, 0 for no limit
    int lineWidth = 1; // lines: pixel rows
    // A link label: `fore` at rest, this colour while the pointer is over it.
    qint64 hoverFore = kDefault;
    QCursor (*cursor)() = nullptr; // the pointer over the control; the window's otherwise
    ButtonRole role = ButtonRole::None;
    // What a screen reader calls a control that shows no text of its own.
    const char* accessibleName = nullptr;
    // Rewritten on a timer: a screen reader hears the change only while the user is on it.
    bool quietUpdates = false;
};

// Which control a row makes: its kind and object name, and the member of the window's
// controls struct `C` that holds it while the window is loaded. A control the window's code
// never touches (a caption, a line, a frame) is its kind and name alone.
template <class C> struct Control {
    Kind kind;
    const char* name;
    void (*store)(C& controls, QObject* made) = nullptr;
};

// A row bound to `member`; its kind is the member's type. Use UI_CONTROL, which names the
// control after the member.
template <auto member> constexpr auto bind(const char* name)
{
    return [name]<class C, class T>(T* C::*) {
        return Control<C> {
            kindOf<T>, name, [](C& c, QObject* made) { c.*member = static_cast<T*>(made); }};
    }(member);
}
#define UI_CONTROL(Controls, member) ::ui::bind<&Controls::member>(#member)

template <class C> struct Row {
    Control<C> control;
    ControlRow look;
};

enum class Frame {
    FixedSingle, // title bar, minimize and close boxes, no resizing
    FixedToolDialog, // title bar and close box only, no taskbar button
    None, // no frame at all, no taskbar button
};

// Where a window stands on the primary screen, kept there when its frame becomes known or
// changes (a window manager frames a window only after it is shown).
enum class Placement {
    TopRight, // the frame's top right corner on the screen's
    Centred, // the frame centred on the screen
    ClientAt, // the client area's top left corner at (placeLeft, placeTop) twips
    CoverScreen, // the whole screen, maximised, restored size centred
};

struct WindowLayout {
    const char* caption;
    double clientWidth, clientHeight; // twips
    quint32 back;
    Frame frame;
    FontSettings font = {"MS Sans Serif", 8.25};
    Placement placement;
    double placeLeft = 0, placeTop = 0; // twips, for Placement::ClientAt
};

} // namespace ui
