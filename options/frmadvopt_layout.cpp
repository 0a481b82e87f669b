#include "options/frmadvopt_layout.h"

#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"

using namespace ui;
using namespace ui::colors;

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
namespace layout {

using C = FrmAdvOptControls;

namespace {
constexpr quint32 LightGreen = 0x0080FF80;
constexpr FontSettings Heading = {"Westminster", 18, 500};
constexpr FontSettings TimeText = {"Arial", 12.75};
constexpr FontSettings TimeColon = {"Arial", 12.75, 700};
constexpr Qt::Alignment Centred = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment RightAligned = Qt::AlignRight | Qt::AlignTop;
} // namespace

const WindowLayout frmAdvOpt = {
    .caption = "Advanced Options",
    .clientWidth = 4680,
    .clientHeight = 3900,
    .back = Navy,
    .frame = Frame::FixedToolDialog,
    .placement = Placement::Centred,
};

namespace {
// Top to bottom. Controls without a font use the window's own. The lines are painted on
// the dialog's surface: over the opaque labels they run along, under the boxes, the list
// and the buttons. Escape cancels and never jumps to the ending, which can't be undone.
const Row<C> controls[] = {
    {decoration<Label, C>("Label3"), {.text = "......Advanced Options......", .left = 240,
     .top = 120, .width = 4335, .height = 615, .back = Navy, .fore = Red,
     .font = {"Westminster", 24, 500}, .align = Centred}},
    {decoration<Line, C>("Line3"), {.left = 240, .top = 720, .width = 4680, .height = 720,
     .fore = Red, .lineWidth = 1, .layer = Layer::Lifted}},
    {decoration<Label, C>("Label1"), {.text = "Graduation Time:", .left = 360, .top = 840,
     .width = 4095, .height = 375, .back = Navy, .fore = LightBlue, .font = Heading,
     .align = Centred}},
    {UI_CONTROL(C, lblGradTime_Date), {.text = "  at", .left = 240, .top = 1320,
     .width = 1335, .height = 315, .back = Navy, .fore = LightBlue, .font = TimeText,
     .align = RightAligned}},
    // Wide enough to show the two digits of 10, 11 and 12 o'clock; it ends where it always did.
    {UI_CONTROL(C, txtSetTime_Hours), {.left = 1640, .top = 1320, .width = 440,
     .height = 315, .back = LightBlue, .font = TimeText, .typedLimit = 2,
     .tabIndex = 5, .accessibleName = "Hours"}},
    {decoration<Label, C>("Label6"), {.text = ":", .left = 2120, .top = 1320, .width = 105,
     .height = 315, .back = Navy, .fore = LightBlue, .font = TimeColon, .align = RightAligned}},
    {UI_CONTROL(C, txtSetTime_Minutes), {.left = 2280, .top = 1320, .width = 440,
     .height = 315, .back = LightBlue, .font = TimeText, .typedLimit = 2,
     .tabIndex = 6, .accessibleName = "Minutes"}},
    {decoration<Label, C>("Label8"), {.text = ":", .left = 2760, .top = 1320, .width = 105,
     .height = 315, .back = Navy, .fore = LightBlue, .font = TimeColon, .align = RightAligned}},
    {UI_CONTROL(C, txtSetTIme_Seconds), {.left = 2880, .top = 1320, .width = 440,
     .height = 315, .back = LightBlue, .font = TimeText, .typedLimit = 2,
     .tabIndex = 8, .accessibleName = "Seconds"}},
    {UI_CONTROL(C, comboSetTime_AMPM), {.left = 3600, .top = 1320,
     .width = 735, .height = 315, .back = LightBlue, .items = "AM|PM",
     .tabIndex = 7, .accessibleName = "AM or PM"}},
    {decoration<Line, C>("Line1"), {.left = 120, .top = 1800, .width = 4560, .height = 1800,
     .fore = LightGreen, .lineWidth = 2, .layer = Layer::Lifted}},
    {decoration<Label, C>("Label2"), {.text = "Percent Bar", .left = 240, .top = 1800,
     .width = 4095, .height = 375, .back = Navy, .fore = LightBlue, .font = Heading,
     .align = Centred}},
    {decoration<Label, C>("Label4"), {.text = "Percent Bar/Label Precision:", .left = 480,
     .top = 2280, .width = 1815, .height = 495, .back = Navy, .fore = LightBlue,
     .align = Centred, .wordWrap = true}},
    {UI_CONTROL(C, txtPercentDigits), {.text = "Percent Digits", .left = 2520,
     .top = 2280, .width = 375, .height = 285, .back = LightBlue, .typedLimit = 1, .tabIndex = 2,
     .accessibleName = "Percent digits"}},
    {decoration<Label, C>("Label7"), {.text = "digits", .left = 3000, .top = 2280,
     .width = 495, .height = 285, .back = Navy, .fore = LightBlue}},
    {decoration<Line, C>("Line2"), {.left = 120, .top = 2760, .width = 4560, .height = 2760,
     .fore = LightGreen, .lineWidth = 2, .layer = Layer::Lifted}},
    {UI_CONTROL(C, cmdJump), {.text = "&Jump to the Ending", .left = 600,
     .top = 2880, .width = 3495, .height = 495, .back = LightGreen,
     .font = {"Westminster", 15.75, 800}, .cursor = jumpCursor, .tabIndex = 4}},
    {UI_CONTROL(C, cmdOK), {.text = "&OK", .left = 120, .top = 3480,
     .width = 1215, .height = 375, .back = LightBlue, .font = {"MS Sans Serif", 8.25, 700},
     .tabIndex = 0}},
    {UI_CONTROL(C, cmdCancel), {.text = "&Cancel", .left = 1560, .top = 3480,
     .width = 1335, .height = 375, .back = LightBlue, .role = ButtonRole::Cancel, .tabIndex = 1}},
    {UI_CONTROL(C, cmdApply), {.text = "&Apply", .left = 3120, .top = 3480,
     .width = 1335, .height = 375, .back = LightBlue, .role = ButtonRole::Default, .tabIndex = 3}},
};
} // namespace

std::span<const Row<C>> frmAdvOptControls() { return controls; }

} // namespace layout
// clang-format on
