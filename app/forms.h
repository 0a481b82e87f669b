#pragma once
#include "ui/platform.h"

#include <memory>

class FrmTasselday;
class FrmDone;
class FrmAdvOpt;
class FrmAbout;

// The program's windows, one object each for the whole run, and the services they use.
class Forms {
public:
    explicit Forms(ui::Services services);
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    FrmTasselday& frmTasselday() { return *m_tasselday; }
    FrmDone& frmDone() { return *m_done; }
    FrmAdvOpt& frmAdvOpt() { return *m_advOpt; }
    FrmAbout& frmAbout() { return *m_about; }

    const ui::Services services;

private:
    std::unique_ptr<FrmTasselday> m_tasselday;
    std::unique_ptr<FrmDone> m_done;
    std::unique_ptr<FrmAdvOpt> m_advOpt;
    std::unique_ptr<FrmAbout> m_about;
};

// Leaves the countdown for the celebration: the same steps whether the time ran out or
// the user jumped to the ending.
void handOverToCelebration(Forms& forms);
