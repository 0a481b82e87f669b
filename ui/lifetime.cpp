#include "ui/lifetime.h"

#include <QCoreApplication>
#include <QList>

namespace ui {

namespace {

QList<const void*>& loadedForms()
{
    static QList<const void*> forms;
    return forms;
}

std::function<void()>& endHandler()
{
    static std::function<void()> handler = [] { QCoreApplication::exit(0); };
    return handler;
}

// Counts requests to end, so that a window which ended the program on its way out is not
// followed by a second end.
int requests = 0;

} // namespace

void endProgram()
{
    ++requests;
    endHandler()();
}

std::function<void()> setProgramEndHandler(std::function<void()> handler)
{
    std::function<void()> previous = endHandler();
    endHandler() = std::move(handler);
    return previous;
}

bool anyFormLoaded() { return !loadedForms().isEmpty(); }

void noteFormLoaded(const void* form)
{
    if (!loadedForms().contains(form))
        loadedForms().append(form);
}

void noteFormUnloaded(const void* form, int endRequestsBefore)
{
    if (loadedForms().removeAll(form) == 0)
        return;
    if (!anyFormLoaded() && requests == endRequestsBefore)
        endProgram();
}

void forgetForm(const void* form) { loadedForms().removeAll(form); }

int endRequestCount() { return requests; }

} // namespace ui
