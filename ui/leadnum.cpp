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
    QString chars = number.match(s).captured();
    chars.replace(u'd', u'e').replace(u'D', u'e');
    // The C locale's reading: "." the point, no grouping, an overflow infinite and an underflow
    // zero, and 0 for "", "-" or ".". "+ 0.0": no negative zero from "-0".
    return QLocale::c().toDouble(chars) + 0.0;
}

qint16 toInt16(double x)
{
    // nearbyint rounds half to even; clamped rather than wrapped.
    return std::isnan(x) ? 0 : qint16(std::clamp(std::nearbyint(x), -32768.0, 32767.0));
}

} // namespace ui
