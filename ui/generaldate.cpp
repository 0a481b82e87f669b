#include "ui/datetext.h"

#include "ui/datevalue.h"

// The general date form: the short date, then the time in one form for every locale.
namespace ui {

QString generalDate(double v, const QLocale& locale)
{
    const std::optional<CivilTime> c = fromDateValue(v);
    if (!c)
        return {};
    const CivilTime& t = *c;
    QString text = shortDate(v, locale);
    if (t.hour == 0 && t.minute == 0 && t.second == 0)
        return text;
    // One time form for every locale: the dialog splits it at its ":" and puts its
    // boxes back together the same way.
    const bool twelve = hasTwelveHourClock(locale);
    const int hour = twelve && t.hour % 12 == 0 ? 12 : twelve ? t.hour % 12 : t.hour;
    const auto two = [](int n) { return QString::number(n).rightJustified(2, u'0'); };
    text += u' ' + QString::number(hour) + u':' + two(t.minute) + u':' + two(t.second);
    if (twelve)
        text += u' ' + halfDayNames(locale).at(t.hour < 12 ? 0 : 1);
    return text;
}

} // namespace ui
