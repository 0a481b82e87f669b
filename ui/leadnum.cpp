#include "ui/leadnum.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace ui {

double leadingNumber(const QString& text)
{
    QString s = text;
    s.removeIf([](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; });
    // A sign, digits with at most one point, and an exponent only if a digit follows its letter.
    static const QRegularExpression number(
        QStringLiteral("^[+-]?[0-9]*(?:\\.[0-9]*)?(?:[eEdD][+-]?[0-9]+)?"));
    // The C locale's reading, which knows only "e" for the exponent: "." the point, no
    // grouping, an overflow infinite and an underflow zero, and 0 for "", "-" or ".".
    return QLocale::c().toDouble(number.match(s).captured().toLower().replace(u'd', u'e'));
}

qint16 toInt16(double x)
{
    // nearbyint rounds half to even; clamped rather than wrapped.
    return std::isnan(x) ? 0 : qint16(std::clamp(std::nearbyint(x), -32768.0, 32767.0));
}

} // namespace ui
