#include "ui/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ui {

double Int(double x) { return std::floor(x); }

double Mod(double a, double b)
{
    // nearbyint rounds half to even in the rounding mode the program never changes. "+ 0.0"
    // turns a negative zero (e.g. -7 Mod 7) into a plain zero.
    return std::fmod(std::nearbyint(a), std::nearbyint(b)) + 0.0;
}

double Round(double x, int n)
{
    // Powers of ten up to 1e15 are exact doubles, each step too, so dividing by one gives the
    // double nearest the decimal result.
    double scale = 1.0;
    for (int k = std::clamp(n, 0, 15); k > 0; --k)
        scale *= 10.0;
    const double scaled = x * scale;
    // Past 2^52 every double is already whole.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 0x1p52)
        return x;
    return std::nearbyint(scaled) / scale + 0.0;
}

QString numberToText(double x, const QLocale& loc)
{
    if (x == 0.0)
        return QStringLiteral("0"); // also catches negative zero

    // to_chars, unlike printf, never uses the C library's locale, and unlike Qt it rounds an
    // exact decimal half to even.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15);
    // %g style writes "1.234e-06"; this program writes "1.234E-06".
    QString text = QString::fromLatin1(buf, res.ptr - buf).replace(u'e', u'E');
    // Digits are ASCII in every locale, like the digits typed into the boxes. The
    // separator is the locale's own, except the Arabic one, which goes only with
    // Arabic-Indic digits: next to ASCII digits those locales write ".".
    const QString point = loc.decimalPoint();
    const bool asciiPoint = point.size() == 1 && point.front().unicode() < 0x80;
    text.replace(QLatin1Char('.'), asciiPoint ? point : QStringLiteral("."));
    return text;
}

} // namespace ui
