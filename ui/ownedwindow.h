#pragma once
class QWidget;

namespace ui {

// Asks the window manager to keep `window` with its `owner`, which waits on it: above it,
// and minimised and restored together with it (the owner has the taskbar button, `window`
// none). Should `window` be minimised alone all the same, it comes back at once while its
// owner is on the screen, or when the owner is restored: the owner is never left waiting
// on a window the user can't reach.
void keepWithOwner(QWidget* window, QWidget* owner);

} // namespace ui
