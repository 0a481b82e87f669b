#include "support/testforms.h"

#include "ui/lifetime.h"

#include <QCoreApplication>
#include <QEvent>

TestForms::TestForms()
    : forms({clock, urls, starter, files, messages, registry})
{
    // A moment well inside the school year unless a test sets another.
    clock.set(2006, 3, 15, 9, 30, 15);
    // The machine's own desktop tools are not the tests' business.
    qputenv("XDG_DATA_HOME", "/nonexistent");
    qputenv("XDG_DATA_DIRS", "/nonexistent");
    m_previousEnd = ui::setProgramEndHandler([this] { ++programEnds; });
}

TestForms::~TestForms()
{
    ui::setProgramEndHandler(m_previousEnd);
    flush();
}

void TestForms::flush()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
