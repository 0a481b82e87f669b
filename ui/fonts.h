#pragma once
#include <QFont>
#include <QRect>
#include <QString>

namespace ui {

// A font as the layouts name it: face, points (often fractional), weight 100..900.
// A null face means "the window's own font".
struct FontSettings {
    const char* face = nullptr;
    double points = 8.25;
    int weight = 400;
    bool italic = false;
    bool underline = false;
};

// Sized in pixels at 96 dots per inch, so text keeps its place against twip layouts
// whatever the screen's reported resolution.
QFont makeFont(const FontSettings& font);

// Whether every glyph of `text`, drawn in `room` with `flags` (alignment, Qt::TextWordWrap,
// Qt::TextShowMnemonic), lies whole inside it. The ink counts, not the line boxes: the
// layouts' own faces, of the same line heights, let a line's empty descent hang out too.
bool textFits(const QFont& font, const QString& text, const QRect& room, int flags);

// `font` made smaller, a pixel at a time down to 8 pixels, until `text` fits in `room`: a
// locale's long date, or a face wider than the one a layout was drawn with, stays whole.
QFont fittingFont(QFont font, const QString& text, const QRect& room, int flags = 0);

} // namespace ui
