#include "celebration/frmdone.h"

#include "ui/assets.h"
#include "ui/color.h"
#include "ui/controls.h"
#include "ui/lifetime.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QTimer>

using namespace ui;
using namespace ui::colors;

// The tables keep their rows as written: one control to a row, fields in a fixed order.
// clang-format off
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
const Row<C> kRows[] = {
    {UI_CONTROL(C, Label1), {.text = "Congratulations Class of 2006 !!!",
     .left = 240, .top = 3720, .width = 16000, .height = 3375, .fore = LightBlue,
     .font = {"Arial", 80.25, 700}, .align = Qt::AlignHCenter | Qt::AlignTop,
     .wordWrap = true}},
    {UI_CONTROL(C, Label2), {.text = "Ok You Can Stop Now...", .left = 10080,
     .top = 8760, .width = 2055, .height = 255, .fore = 0x00808080,
     .align = Qt::AlignHCenter | Qt::AlignTop}},
    {UI_CONTROL(C, Image1), {.left = 360, .top = 6840, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, Image2), {.left = 10200, .top = 7080, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, Image3), {.left = 480, .top = 720, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, Image4), {.left = 9960, .top = 1080, .width = 1530,
     .height = 1515}},
    {UI_CONTROL(C, cmdClose), {.text = "X", .left = 11880, .top = 120,
     .width = 255, .height = 255, .back = LightBlue, .font = {"MS Sans Serif", 8.25, 700}, .accessibleName = "Close"}},
    {UI_CONTROL(C, timerBGColor), {}},
};
} // namespace
// clang-format on

FrmDone::FrmDone() : FormOf(frmDone, kRows)
{
    // Logging off or shutting down closes this window like any other request would,
    // so the program still ends through Form_Unload.
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &FrmDone::unload);
#endif
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &FrmDone::unload);
}

void FrmDone::Form_Load()
{
    c.Image1->setPixmap(ui::bitmapA());
    c.Image3->setPixmap(ui::bitmapB());
    // The right-hand copies mirrored; an image keeps its pixmap's device pixel ratio.
    c.Image2->setPixmap(QPixmap::fromImage(c.Image1->pixmap().toImage().mirrored(true, false)));
    c.Image4->setPixmap(QPixmap::fromImage(c.Image3->pixmap().toImage().mirrored(true, false)));

    connect(c.timerBGColor, &QTimer::timeout, this, &FrmDone::timerBGColor_Timer);
    connect(c.cmdClose, &ui::Button::clicked, this, &FrmDone::unload);
    connect(c.Label2, &ui::Label::clicked, this, &FrmDone::unload);

    intColorStep = 1;
    c.timerBGColor->start(400);
    ArrangeControls();
}

void FrmDone::Form_Resize() { ArrangeControls(); }

void FrmDone::Form_Unload() { ui::endProgram(); }

void FrmDone::ArrangeControls()
{
    // The window has no frame, so its outer size is its client area. Read as such, because a
    // window manager may still count the frame window it was first put in.
    const float W = float(ui::twips(window()->width()));
    const float H = float(ui::twips(window()->height()));
    // Sizes are the rows' own, in twips; places are computed in twips, then shown on pixels.
    const auto width = [this](QWidget* w) { return float(rowOf(w).width); };
    const auto height = [this](QWidget* w) { return float(rowOf(w).height); };
    const auto place
        = [](QWidget* w, float left, float top) { w->move(ui::px(left), ui::px(top)); };

    place(c.Label1, (W - width(c.Label1)) / 2, (H - height(c.Label1)) / 2);
    place(c.Label2, W - width(c.Label2), H - height(c.Label2) - 400);
    place(c.Image1, W / 16, H - H / 10 - height(c.Image1));
    place(c.Image2, W - W / 16 - width(c.Image2), H - H / 10 - height(c.Image2));
    place(c.Image3, W / 16, H / 10);
    place(c.Image4, W - W / 16 - width(c.Image4), H / 10);
    // 240 is less than the button's width: it overhangs the right edge by one pixel.
    place(c.cmdClose, W - 240, 10);
}

void FrmDone::timerBGColor_Timer()
{
    // Navy (the layout's own), dark red, green, orange, and round again.
    static constexpr quint32 colors[] = {0x00800000, 0x000000C0, 0x00008000, 0x000080FF};
    intColorStep = qint16(intColorStep % 4 + 1);
    setRoleColor(window(), QPalette::Window, colors[intColorStep - 1]);
}
