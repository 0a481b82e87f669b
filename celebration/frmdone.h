#pragma once
#include "celebration/frmdone_layout.h"
#include "ui/form.h"

#include <QtGlobal>

// The full-screen celebration after the countdown: a cycling background, a large
// congratulation and four pictures near the corners. Closing it ends the program.
class FrmDone : public ui::FormOf<FrmDoneControls> {
    Q_OBJECT
public:
    FrmDone();

protected:
    void bindControls() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Resize() override;

private:
    // A control's place in twips as the arrangement computes it; the widget itself can
    // only stand on whole pixels.
    struct Placed {
        QWidget* widget = nullptr;
        float Left = 0, Top = 0, Width = 0, Height = 0;
        void setLeft(float twips);
        void setTop(float twips);
    };
    // The control as its row places it.
    Placed placed(QWidget* control) const;

    void ArrangeControls();
    void timerBGColor_Timer();
    void cmdClose_Click();
    void Label2_Click();
    void endOfSession();

    qint16 intColorStep = 0;
    qint32 BGColor1 = 0, BGColor2 = 0, BGColor3 = 0, BGColor4 = 0;

    Placed Label1, Label2, Image1, Image2, Image3, Image4, cmdClose;
};
