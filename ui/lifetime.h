#pragma once
#include <functional>

// The program ends by its own rule, not by Qt's last-window rule: when no window of the
// program is loaded any more, or when a window ends it outright.
namespace ui {

void endProgram();

// Replaces what ending the program does (tests watch instead of quitting); returns the
// previous handler.
std::function<void()> setProgramEndHandler(std::function<void()> handler);

// Kept by the form lifecycle: which windows are loaded.
void noteFormLoaded(const void* form);
// Forgets the form; ends the program when it was the last one and nothing has ended the
// program since `endRequestsBefore` (a window that ended it on its way out).
void noteFormUnloaded(const void* form, int endRequestsBefore);
// Forgets a form that goes away for good, without ending anything.
void forgetForm(const void* form);
// How many times the program has been asked to end.
int endRequestCount();

} // namespace ui
