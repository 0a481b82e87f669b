#include "ui/lifetime.h"

#include <QCoreApplication>
#include <QSet>

#include <utility>

namespace ui {

namespace {

QSet<const void*> loadedForms;
std::function<void()> endHandler = [] { QCoreApplication::exit(0); };
// Counts requests to end, so that a window which ended the program on its way out is not
// followed by a second end.
int requests = 0;

} // namespace

void endProgram()
{
    ++requests;
    endHandler();
}

std::function<void()> setProgramEndHandler(std::function<void()> handler)
{
    return std::exchange(endHandler, std::move(handler));
}

void noteFormLoaded(const void* form) { loadedForms.insert(form); }

void noteFormUnloaded(const void* form, int endRequestsBefore)
{
    if (loadedForms.remove(form) && loadedForms.isEmpty() && requests == endRequestsBefore)
        endProgram();
}

void forgetForm(const void* form) { loadedForms.remove(form); }

int endRequestCount() { return requests; }

} // namespace ui
