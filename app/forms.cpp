#include "app/forms.h"

#include "about/frmabout.h"
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "options/frmadvopt.h"

Forms::Forms(ui::Services s)
    : services(s),
      m_tasselday(std::make_unique<FrmTasselday>(*this)),
      m_done(std::make_unique<FrmDone>(*this)),
      m_advOpt(std::make_unique<FrmAdvOpt>(*this)),
      m_about(std::make_unique<FrmAbout>(*this))
{
}

// Windows go before the objects they call into on their way out.
Forms::~Forms()
{
    m_about.reset();
    m_advOpt.reset();
    m_done.reset();
    m_tasselday.reset();
}

void handOverToCelebration(Forms& forms)
{
    // Loaded first, so that closing the main window does not end the program.
    forms.frmDone().load();
    forms.frmTasselday().unload();
    forms.frmAbout().unload();
    forms.frmAdvOpt().unload();
    forms.frmDone().show();
}
