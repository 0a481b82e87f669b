#include "ui/datetext.h"

#include "ui/dateformat.h"
#include "ui/datevalue.h"

#include <QDate>

// The locale's short date and clock, and the general date form made of them.
namespace ui {

using namespace dateformat;

namespace {

QString padded(int n, int width) { return QString::number(n).rightJustified(width, u'0'); }

} // namespace

bool hasTwelveHourClock(const QLocale& locale)
{
    for (const FormatToken& t : tokenize(effective(locale).timeFormat(QLocale::LongFormat))) {
        if (!t.literal && (t.text.front() == u'h' || t.text.front().toLower() == u'a'))
            return true;
    }
    return false;
}

QStringList halfDayNames(const QLocale& locale)
{
    const QLocale loc = effective(locale);
    return {loc.amText(), loc.pmText()};
}

// The short date in the locale's order, separators and words, but with ASCII digits and a
// four-digit year, so that every locale's text reads back the same way and matches what is
// typed into the dialog's boxes.
QString shortDate(double v, const QLocale& locale)
{
    const std::optional<CivilTime> civil = fromDateValue(v);
    if (!civil)
        return {};
    const QLocale loc = effective(locale);
    const QDate date(civil->year, civil->month, civil->day);
    QString text;
    for (const FormatToken& t : tokenize(loc.dateFormat(QLocale::ShortFormat))) {
        if (t.literal) {
            // Without its bidi marks: in this program's left-to-right lines they would
            // turn the date, and the words around it, the other way.
            for (QChar c : t.text) {
                if (c.category() != QChar::Other_Format)
                    text += c;
            }
            continue;
        }
        const int n = int(t.text.size());
        const QLocale::FormatType name = n == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
        switch (t.text.front().unicode()) {
        case u'd':
            text += n <= 2 ? padded(date.day(), n) : loc.dayName(date.dayOfWeek(), name);
            break;
        case u'M':
            text += n <= 2 ? padded(date.month(), n) : loc.monthName(date.month(), name);
            break;
        case u'y':
            text += padded(date.year(), 4);
            break;
        default:
            text += t.text;
            break;
        }
    }
    return text;
}

// The general date form: the short date, then the time in one form for every locale.
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
    text += u' ' + QString::number(hour) + u':' + padded(t.minute, 2) + u':' + padded(t.second, 2);
    if (twelve)
        text += u' ' + halfDayNames(locale).at(t.hour < 12 ? 0 : 1);
    return text;
}

} // namespace ui
