#include "ui/fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

namespace {

// The installed face that stands in for a layout's face name.
QString installedFace(const QString& layoutFace)
{
#ifdef Q_OS_WIN
    // Windows has the layouts' faces, MS Sans Serif as its outline successor, and substitutes
    // the decorative faces itself where they are not installed.
    return layoutFace == QLatin1String("MS Sans Serif") ? QStringLiteral("Microsoft Sans Serif")
                                                        : layoutFace;
#else
    // Liberation is metric-compatible with Arial and Courier New, and the decorative faces get
    // the nearest DejaVu or Liberation face Debian ships.
    static constexpr std::pair<const char*, const char*> faces[] = {
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Matisse ITC", "Liberation Serif"},
        {"Copperplate Gothic Bold", "DejaVu Serif"},
        {"Westminster", "Liberation Sans Narrow"},
    };
    for (const auto& [layout, installed] : faces)
        if (layoutFace == QLatin1String(layout))
            return QString::fromLatin1(installed);
    return QStringLiteral("Liberation Sans"); // for MS Sans Serif
#endif
}

// Drawn unclipped in the middle of a margin a line high all round, no ink falls on the
// margin. An underline runs the whole advance, past the last glyph's ink: the glyphs alone
// count.
bool inkInside(QFont font, const QString& text, QSize room, int flags)
{
    font.setUnderline(false);
    const int margin = QFontMetrics(font).height();
    const QRect inside(QPoint(margin, margin), room);
    QImage ink(room.grownBy({margin, margin, margin, margin}), QImage::Format_Alpha8);
    ink.fill(0);
    QPainter p(&ink);
    p.setFont(font);
    p.drawText(inside, flags | Qt::TextDontClip, text);
    p.end();
    for (int y = 0; y < ink.height(); ++y) {
        const uchar* line = ink.constScanLine(y);
        const auto inked = [line](int from, int to) {
            return std::any_of(line + from, line + to, [](uchar alpha) { return alpha != 0; });
        };
        if (y < inside.top() || y > inside.bottom()
                ? inked(0, ink.width())
                : inked(0, inside.left()) || inked(inside.right() + 1, ink.width()))
            return false;
    }
    return true;
}

} // namespace

bool textFits(const QFont& font, const QString& text, const QRect& room, int flags)
{
    // A font's line height holds its glyphs, and they reach at most its least bearings (and
    // a pixel of shading) past their advances: lines that far inside fit.
    const QFontMetrics m(font);
    const int left = std::max(0, -m.minLeftBearing()) + 1;
    const int right = std::max(0, -m.minRightBearing()) + 1;
    // The others are drawn.
    return room.adjusted(left, 0, -right, 0).contains(m.boundingRect(room, flags, text))
        || inkInside(font, text, room.size(), flags);
}

QFont fittingFont(QFont font, const QString& text, const QRect& room, int flags)
{
    while (font.pixelSize() > 8 && !textFits(font, text, room, flags))
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QFont makeFont(const FontSettings& font)
{
    QFont f(installedFace(QString::fromLatin1(font.face ? font.face : "MS Sans Serif")));
    f.setPixelSize(int(std::lround(font.points * 96.0 / 72.0)));
    f.setWeight(QFont::Weight(font.weight));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace ui
