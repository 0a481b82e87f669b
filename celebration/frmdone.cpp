#include "celebration/frmdone.h"

#include "ui/assets.h"
#include "ui/controls.h"
#include "ui/lifetime.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QTimer>

FrmDone::FrmDone() : FormOf(layout::frmDone, layout::frmDoneControls())
{
    // Logging off or shutting down closes this window like any other request would,
    // so the program still ends through Form_Unload.
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &FrmDone::endOfSession);
#endif
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &FrmDone::endOfSession);
}

void FrmDone::Placed::setLeft(float twips)
{
    Left = twips;
    widget->move(ui::px(Left), ui::px(Top));
}

void FrmDone::Placed::setTop(float twips)
{
    Top = twips;
    widget->move(ui::px(Left), ui::px(Top));
}

FrmDone::Placed FrmDone::placed(QWidget* control) const
{
    const ui::ControlRow& row = *rowOf(control);
    return {control, float(row.left), float(row.top), float(row.width), float(row.height)};
}

void FrmDone::bindControls()
{
    Label1 = placed(c.Label1), Label2 = placed(c.Label2), cmdClose = placed(c.cmdClose);
    Image1 = placed(c.Image1), Image2 = placed(c.Image2);
    Image3 = placed(c.Image3), Image4 = placed(c.Image4);

    c.Image1->setPicture(ui::bitmapA());
    c.Image2->setPicture(ui::mirrored(ui::bitmapA()));
    c.Image3->setPicture(ui::bitmapB());
    c.Image4->setPicture(ui::mirrored(ui::bitmapB()));

    // The only control that takes the focus; it has it once the window is active.
    c.cmdClose->setFocus();

    connect(c.timerBGColor, &QTimer::timeout, this, &FrmDone::timerBGColor_Timer);
    connect(c.cmdClose, &ui::Button::clicked, this, &FrmDone::cmdClose_Click);
    connect(c.Label2, &ui::Label::clicked, this, &FrmDone::Label2_Click);
}

void FrmDone::Form_Load()
{
    intColorStep = 1;
    BGColor1 = 0x00800000;
    BGColor2 = 0x000000C0;
    BGColor3 = 0x00008000;
    BGColor4 = 0x000080FF;
    ArrangeControls();
}

void FrmDone::Form_Resize() { ArrangeControls(); }

void FrmDone::Form_Unload() { ui::endProgram(); }

void FrmDone::cmdClose_Click() { unload(); }

void FrmDone::Label2_Click() { unload(); }

void FrmDone::endOfSession()
{
    if (isLoaded())
        unload();
}

void FrmDone::ArrangeControls()
{
    // The window has no frame, so its outer size is its client area. Read as such, because a
    // window manager may still count the frame window it was first put in.
    const float W = float(ui::twips(window()->width()));
    const float H = float(ui::twips(window()->height()));

    Label1.setLeft((W - Label1.Width) / 2);
    Label1.setTop((H - Label1.Height) / 2);
    Label2.setTop(H - Label2.Height - 400);
    Label2.setLeft(W - Label2.Width);
    Image1.setLeft(W / 16);
    Image1.setTop(H - H / 10 - Image1.Height);
    Image2.setLeft(W - W / 16 - Image2.Width);
    Image2.setTop(H - H / 10 - Image2.Height);
    Image3.setLeft(W / 16);
    Image3.setTop(H / 10);
    Image4.setLeft(W - W / 16 - Image4.Width);
    Image4.setTop(H / 10);
    // 240 is less than the button's width: it overhangs the right edge by one pixel.
    cmdClose.setLeft(W - 240);
    cmdClose.setTop(10);
}

void FrmDone::timerBGColor_Timer()
{
    switch (intColorStep) {
    case 1:
        setBackColor(quint32(BGColor2));
        intColorStep = intColorStep + 1;
        break;
    case 2:
        setBackColor(quint32(BGColor3));
        intColorStep = intColorStep + 1;
        break;
    case 3:
        setBackColor(quint32(BGColor4));
        intColorStep = intColorStep + 1;
        break;
    case 4:
        setBackColor(quint32(BGColor1));
        intColorStep = 1;
        break;
    default:
        break;
    }
}
