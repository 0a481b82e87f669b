#pragma once
#include "app/frmtasselday.h"
#include "ui/form.h"

#include <QString>

// The options dialog's controls its code works with, made from the rows of its layout.
struct FrmAdvOptControls {
    ui::Label* lblGradTime_Date;
    ui::TextBox *txtSetTime_Hours, *txtSetTime_Minutes, *txtSetTIme_Seconds, *txtPercentDigits;
    ui::ComboList* comboSetTime_AMPM;
    ui::Button *cmdJump, *cmdOK, *cmdCancel, *cmdApply;
};

namespace ui {
class MessageDialog;
} // namespace ui

// The advanced options: the ceremony's time of day and the precision of the percentage,
// applied to the main window's schedule, and the jump straight to the celebration.
class FrmAdvOpt : public ui::FormOf<FrmAdvOptControls> {
    Q_OBJECT
public:
    // `main` holds the schedule this dialog shows and changes; `messages` reports a time
    // that can't be read.
    FrmAdvOpt(FrmTasselday& main, ui::MessageDialog& messages);

signals:
    // "&Jump to the Ending": the program hands over, which closes this dialog too.
    void jumpRequested();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // False when the time can't be read; nothing has been written then.
    bool ApplyOptions();
    void cmdOK_Click();

    // Made before this dialog and destroyed after it (app/program.h).
    FrmTasselday& m_main;
    ui::MessageDialog& m_messages;

    // Kept from one opening to the next; the controls are made afresh each time.
    qint16 intAMPM = 0; // 1 AM, 2 PM, 0 never seen
    QString strAMPM;
    QString strDatePart; // the date the time boxes are read with
};
