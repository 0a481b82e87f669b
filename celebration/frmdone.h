#pragma once
#include "ui/form.h"

#include <QtGlobal>

// The celebration's controls, made from the rows of its layout.
struct FrmDoneControls {
    ui::Label *Label1, *Label2;
    ui::Picture *Image1, *Image2, *Image3, *Image4;
    ui::Button* cmdClose;
    QTimer* timerBGColor;
};

// The full-screen celebration after the countdown: a cycling background, a large
// congratulation and four pictures near the corners. Closing it ends the program.
class FrmDone : public ui::FormOf<FrmDoneControls> {
    Q_OBJECT
public:
    FrmDone();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

private:
    void ArrangeControls();
    void timerBGColor_Timer();

    qint16 intColorStep = 0;
};
