#pragma once
#include <functional>

// The program ends by its own rule, not by Qt's last-window rule: when no window of the
// program is loaded any more (the form lifecycle's count), or when a window ends it outright.
namespace ui {

void endProgram();

// Replaces what ending the program does (tests watch instead of quitting); returns the
// previous handler.
std::function<void()> setProgramEndHandler(std::function<void()> handler);

// How many times the program has been asked to end.
int endRequestCount();

} // namespace ui
