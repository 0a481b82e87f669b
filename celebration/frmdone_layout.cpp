#include "celebration/frmdone_layout.h"

#include "ui/color.h"
#include "ui/controls.h"

#include <QTimer>

using namespace ui;
using namespace ui::colors;

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
namespace layout {

using C = FrmDoneControls;

// The restored size; shown, the window covers the whole screen.
const WindowLayout frmDone = {
    .caption = "CONGRATULATIONS CLASS OF '06 !!!",
    .clientWidth = 12210,
    .clientHeight = 9615,
    .back = Navy,
    .frame = Frame::None,
    .placement = Placement::CoverScreen,
};

namespace {
// Left and Top are where the controls start; the arrangement replaces them before the
// window is first seen. Sizes never change.
const Row<C> controls[] = {
    {UI_CONTROL(C, Label1), {.text = "Congratulations Class of 2006 !!!",
     .left = 240, .top = 3720, .width = 16000, .height = 3375, .back = Navy, .fore = LightBlue,
     .font = {"Arial", 80.25, 700}, .align = Qt::AlignHCenter | Qt::AlignTop,
     .transparent = true, .wordWrap = true, .tabIndex = 0}},
    {UI_CONTROL(C, Label2), {.text = "Ok You Can Stop Now...", .left = 10080,
     .top = 8760, .width = 2055, .height = 255, .fore = 0x00808080,
     .align = Qt::AlignHCenter | Qt::AlignTop, .transparent = true,
     .tabIndex = 1}},
    {UI_CONTROL(C, Image1), {.left = 360, .top = 6840, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, Image2), {.left = 10200, .top = 7080, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, Image3), {.left = 480, .top = 720, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, Image4), {.left = 9960, .top = 1080, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, cmdClose), {.text = "X", .left = 11880, .top = 120,
     .width = 255, .height = 255, .back = LightBlue, .font = {"MS Sans Serif", 8.25, 700},
     .tabIndex = 2, .accessibleName = "Close"}},
    {UI_CONTROL(C, timerBGColor), {.interval = 400}},
};
} // namespace

std::span<const Row<C>> frmDoneControls() { return controls; }

} // namespace layout
// clang-format on
