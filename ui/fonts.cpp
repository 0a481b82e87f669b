#include "ui/fonts.h"

#include <QFontMetrics>

#include <QHash>
#include <cmath>

namespace ui {

QString installedFace(const QString& layoutFace)
{
    // Liberation is metric-compatible with the two classic faces; the decorative
    // faces get the nearest DejaVu or Liberation face Debian ships.
    static const QHash<QString, QString> map = {
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Matisse ITC"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Copperplate Gothic Bold"), QStringLiteral("DejaVu Serif")},
        {QStringLiteral("Westminster"), QStringLiteral("Liberation Sans Narrow")},
    };
    return map.value(layoutFace, QStringLiteral("Liberation Sans"));
}

QFont fittingFont(QFont font, const QString& text, int width)
{
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QFont makeFont(const FontSpec& font)
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
