#pragma once
#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"
#include "ui/platform.h"

#include <QObject>

// The composition root: the program's four windows, one object each for the whole run, and
// the only place where one window leads to another. The windows announce what they need
// (signals); this class decides what follows, and holds the hand-over to the celebration.
// The program starts with the main window; everything else follows from it.
// Only this class opens or closes the About box, the options dialog and the celebration.
class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(const ui::Services& services);

    FrmTasselday& frmTasselday() { return m_tasselday; }
    FrmDone& frmDone() { return m_done; }
    FrmAdvOpt& frmAdvOpt() { return m_advOpt; }
    FrmAbout& frmAbout() { return m_about; }

    // Leaves the countdown for the celebration: the same five steps whether the time ran
    // out or the user jumped to the ending.
    void handOverToCelebration();

private:
    // Each window gets only the services it uses. The options dialog holds the main window,
    // declared before it and so destroyed after it.
    FrmTasselday m_tasselday;
    FrmDone m_done;
    FrmAdvOpt m_advOpt;
    FrmAbout m_about;
};
