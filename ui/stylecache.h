#pragma once
#include <QPalette>

class QStyle;

// Faces the style draws once and keeps in Qt's picture cache, so that they are not drawn
// again for every window that opens or every second that ticks.
namespace ui {

// Fusion keeps the faces it draws for a drop-down list under the identity of the list's
// palette. Each new window resolves new palettes, so every dialog opened would leave one more
// face in the cache, kept until the cache is full (10 MB). A complete palette (nothing left to
// take from the window), shared by all controls of the same colours, keeps one identity: a
// dialog opened again finds the faces drawn before.
QPalette sharedPalette(QPalette palette);

// The application's style, except that a text box's panel (its background and rounded,
// antialiased frame) is drawn once for each size, state and colours and then copied from the
// cache: the countdown's box is repainted every second for a new line of text.
QStyle* cachedPanelStyle();

} // namespace ui
