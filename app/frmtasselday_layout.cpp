#include "app/frmtasselday_layout.h"

#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/displaybox.h"

#include <QTimer>

using namespace ui;
using namespace ui::colors;

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
namespace layout {

using C = FrmTasseldayControls;

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
const Row<C> controls[] = {
    {UI_CONTROL(C, lblTimeLeft), {.text = "Time left until Graduation ",
     .left = 120, .top = 120, .width = 6015, .height = 495, .back = Navy, .fore = LightBlue,
     .font = {"Matisse ITC", 18}, .align = Qt::AlignHCenter | Qt::AlignTop, .tabIndex = 0}},
    {UI_CONTROL(C, txtDisplay), {.left = 120, .top = 720, .width = 6000,
     .height = 360, .back = LightBlue, .font = {"Courier New", 8.25},
     .align = Qt::AlignCenter, .tabIndex = 1, .accessibleName = "Time left",
     .quietUpdates = true}},
    {UI_CONTROL(C, lblAbout), {.text = "About...", .left = 2760, .top = 1800,
     .width = 615, .height = 240, .back = Navy, .fore = LightCyan,
     .font = {"Arial", 9, 400, false, true}, .hoverFore = Red, .cursor = aboutHandCursor,
     .tabIndex = 2}},
    {UI_CONTROL(C, lblSet), {.left = 5880, .top = 1890, .width = 255,
     .height = 255, .back = Navy, .fore = Navy, .font = {"MS Sans Serif", 8.25},
     .cursor = arrowWithHourglass, .tabIndex = 3}},
    {UI_CONTROL(C, prgbarSchool), {.left = 120, .top = 1440,
     .width = 6015, .height = 255, .tabIndex = 4, .accessibleName = "School year completed",
     .quietUpdates = true}},
    {UI_CONTROL(C, lblSchoolCompleted), {.text = "School Year Completed:",
     .left = 240, .top = 1080, .width = 5895, .height = 375, .back = Navy, .fore = LightBlue,
     .font = {"Arial", 15.75}, .align = Qt::AlignHCenter | Qt::AlignTop, .tabIndex = 5,
     .quietUpdates = true}},
    {decoration<Label, C>("Label2"), {.text = "0%", .left = 120, .top = 1680,
     .width = 255, .height = 255, .fore = LightBlue, .font = {"MS Sans Serif", 8.25},
     .transparent = true, .tabIndex = 6}},
    {decoration<Label, C>("Label3"), {.text = "100%", .left = 5640, .top = 1680,
     .width = 495, .height = 255, .fore = LightBlue, .font = {"MS Sans Serif", 8.25},
     .align = Qt::AlignRight | Qt::AlignTop, .transparent = true, .tabIndex = 7}},
    // Started by the window: each run is planned to just after the next whole second.
    {UI_CONTROL(C, timerRefresh), {}},
};
} // namespace

std::span<const Row<C>> frmTasseldayControls() { return controls; }

} // namespace layout
// clang-format on
