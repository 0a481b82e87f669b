#pragma once
#include "ui/form.h"

#include <QtGlobal>

namespace ui {
class Button;
class Label;
} // namespace ui

// The full-screen celebration after the countdown: a cycling background, a large
// congratulation and four pictures near the corners. Closing it ends the program.
class FrmDone : public ui::Form {
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
        const char* name = "";
        QWidget* widget = nullptr;
        float Left = 0, Top = 0, Width = 0, Height = 0;
        void setLeft(float twips);
        void setTop(float twips);
    };

    void ArrangeControls();
    void timerBGColor_Timer();
    void cmdClose_Click();
    void Label2_Click();
    void endOfSession();

    qint16 intColorStep = 0;
    qint32 BGColor1 = 0, BGColor2 = 0, BGColor3 = 0, BGColor4 = 0;

    Placed Label1 {"Label1"}, Label2 {"Label2"}, Image1 {"Image1"}, Image2 {"Image2"},
        Image3 {"Image3"}, Image4 {"Image4"}, cmdClose {"cmdClose"};
};
