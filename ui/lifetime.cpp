#include "ui/lifetime.h"

#include <QCoreApplication>

#include <utility>

namespace ui {

namespace {

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

int endRequestCount() { return requests; }

} // namespace ui
