#pragma once
class QStyle;

// Faces the style draws once and keeps in Qt's picture cache, so that they are not drawn
// again for every second that ticks.
namespace ui {

// The application's style, except that a text box's panel (its background and rounded,
// antialiased frame) is drawn once for each size, state and colours and then copied from the
// cache: the countdown's box is repainted every second for a new line of text.
QStyle* cachedPanelStyle();

} // namespace ui
