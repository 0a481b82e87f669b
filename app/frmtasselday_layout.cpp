#include "app/frmtasselday_layout.h"

#include "ui/assets.h"
#include "ui/color.h"

using namespace ui;
using namespace ui::colors;

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
namespace layout {

const WindowLayout frmTasselday = {
    .caption = "Tasselday - by Quillerby",
    .clientWidth = 6240,
    .clientHeight = 2130,
    .back = Navy,
    .frame = Frame::FixedSingle,
    .font = {"Copperplate Gothic Bold", 8.25, 700},
    .placement = Placement::TopRight,
};

namespace {
QCursor arrowWithHourglass() { return QCursor(Qt::BusyCursor); }

// In tab order.
const ControlRow controls[] = {
    {.kind = Kind::Label, .name = "lblTimeLeft", .text = "Time left until Graduation ",
     .left = 120, .top = 120, .width = 6015, .height = 495, .back = Navy, .fore = LightBlue,
     .font = {"Matisse ITC", 18}, .align = Qt::AlignHCenter | Qt::AlignTop, .tabIndex = 0},
    {.kind = Kind::TextBox, .name = "txtDisplay", .left = 120, .top = 720, .width = 6000,
     .height = 360, .back = LightBlue, .font = {"Courier New", 8.25},
     .align = Qt::AlignCenter, .readOnly = true, .tabIndex = 1, .accessibleName = "Time left",
     .quietUpdates = true},
    {.kind = Kind::Label, .name = "lblAbout", .text = "About...", .left = 2760, .top = 1800,
     .width = 615, .height = 240, .back = Navy, .fore = LightCyan,
     .font = {"Arial", 9, 400, false, true}, .hoverFore = Red, .cursor = aboutHandCursor,
     .tabIndex = 2},
    {.kind = Kind::Label, .name = "lblSet", .left = 5880, .top = 1890, .width = 255,
     .height = 255, .back = Navy, .fore = Navy, .font = {"MS Sans Serif", 8.25},
     .cursor = arrowWithHourglass, .tabIndex = 3},
    {.kind = Kind::ProgressBar, .name = "prgbarSchool", .left = 120, .top = 1440,
     .width = 6015, .height = 255, .tabIndex = 4, .accessibleName = "School year completed",
     .quietUpdates = true},
    {.kind = Kind::Label, .name = "lblSchoolCompleted", .text = "School Year Completed:",
     .left = 240, .top = 1080, .width = 5895, .height = 375, .back = Navy, .fore = LightBlue,
     .font = {"Arial", 15.75}, .align = Qt::AlignHCenter | Qt::AlignTop, .tabIndex = 5,
     .quietUpdates = true},
    {.kind = Kind::Label, .name = "Label2", .text = "0%", .left = 120, .top = 1680,
     .width = 255, .height = 255, .fore = LightBlue, .font = {"MS Sans Serif", 8.25},
     .transparent = true, .tabIndex = 6},
    {.kind = Kind::Label, .name = "Label3", .text = "100%", .left = 5640, .top = 1680,
     .width = 495, .height = 255, .fore = LightBlue, .font = {"MS Sans Serif", 8.25},
     .align = Qt::AlignRight | Qt::AlignTop, .transparent = true, .tabIndex = 7},
    // About once a second: each run is planned to just after the next whole second.
    {.kind = Kind::Timer, .name = "timerRefresh", .interval = 1000},
};
} // namespace

std::span<const ControlRow> frmTasseldayControls() { return controls; }

} // namespace layout
// clang-format on
