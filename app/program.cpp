#include "app/program.h"

Program::Program(const ui::Services& services)
    : m_tasselday(services.clock), m_advOpt(m_tasselday, services.messages), m_about(services)
{
    connect(&m_tasselday, &FrmTasselday::aboutRequested, &m_about, &FrmAbout::show);
    connect(&m_tasselday, &FrmTasselday::optionsRequested, &m_advOpt, &FrmAdvOpt::show);
    // Closing the main window, in any way, closes the About box with it.
    connect(&m_tasselday, &FrmTasselday::closing, &m_about, &FrmAbout::unload);
    connect(&m_tasselday, &FrmTasselday::countdownFinished, this, &Program::handOverToCelebration);
    connect(&m_advOpt, &FrmAdvOpt::jumpRequested, this, &Program::handOverToCelebration);
}

void Program::handOverToCelebration()
{
    // Loaded first, so that closing the main window does not end the program.
    m_done.load();
    m_tasselday.unload();
    m_about.unload();
    // Its closing enables the main window again, which stays closed.
    m_advOpt.unload();
    m_done.show();
}
