#include "ui/fonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <QHash>
#include <cmath>

namespace ui {

QString installedFace(const QString& layoutFace, FaceSet set)
{
    // Windows has the layouts' faces (MS Sans Serif as its outline successor); elsewhere
    // Liberation is metric-compatible with Arial and Courier New, and the decorative faces get
    // the nearest DejaVu or Liberation face Debian ships. Windows substitutes the decorative
    // faces itself where they are not installed.
    struct Face {
        const char* layout;
        const char* windows;
        const char* free;
    };
    static constexpr Face faces[] = {
        {"Arial", "Arial", "Liberation Sans"},
        {"Courier New", "Courier New", "Liberation Mono"},
        {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans"},
        {"Matisse ITC", "Matisse ITC", "Liberation Serif"},
        {"Copperplate Gothic Bold", "Copperplate Gothic Bold", "DejaVu Serif"},
        {"Westminster", "Westminster", "Liberation Sans Narrow"},
    };
    const Face* chosen = &faces[2];
    for (const Face& face : faces) {
        if (layoutFace == QLatin1String(face.layout))
            chosen = &face;
    }
    return QString::fromLatin1(set == FaceSet::Windows ? chosen->windows : chosen->free);
}

bool textFits(const QFont& font, const QString& text, const QRect& room, int flags)
{
    // Drawn unclipped in the middle of a margin a line high all round, no ink may fall on
    // the margin. An underline runs the whole advance, past the last glyph's ink: the
    // glyphs alone count.
    const int margin = QFontMetrics(font).height();
    const QRect inside(QPoint(margin, margin), room.size());
    QImage ink(
        room.size().grownBy({margin, margin, margin, margin}), QImage::Format_ARGB32_Premultiplied);
    ink.fill(Qt::transparent);
    QPainter p(&ink);
    QFont glyphs = font;
    glyphs.setUnderline(false);
    p.setFont(glyphs);
    p.drawText(inside, flags | Qt::TextDontClip, text);
    p.end();
    for (int y = 0; y < ink.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
        for (int x = 0; x < ink.width(); ++x)
            if (qAlpha(line[x]) && !inside.contains(x, y))
                return false;
    }
    return true;
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
