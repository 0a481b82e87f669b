#include "ui/datetext.h"

#include "ui/datevalue.h"
#include "ui/typedtext.h"

#include <QDate>
#include <QRegularExpression>

// The locale's formats taken apart, its short date and its clock.
namespace ui {

namespace dateformat {

QLocale effective(const QLocale& loc)
{
    if (loc.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return loc;
}

QList<FormatToken> tokenize(const QString& fmt)
{
    // Two quotes stand for one, inside quoted text or out; a quote left open runs to the end.
    // A field is "AP" or a run of one pattern letter; Qt copies every other letter as text.
    static const QRegularExpression token(
        QStringLiteral("''|'((?:[^']|'')*)'?|([aA][pP]|([dMyhHmszaAt])\\3*)|."),
        QRegularExpression::DotMatchesEverythingOption);
    QList<FormatToken> tokens;
    for (const QRegularExpressionMatch& m : token.globalMatch(fmt)) {
        if (m.hasCaptured(2)) {
            tokens.append({m.captured(2), false});
            continue;
        }
        const QString text = (m.hasCaptured(1) ? m.captured(1) : m.captured())
                                 .replace(QLatin1String("''"), QLatin1String("'"));
        if (!tokens.isEmpty() && tokens.back().literal)
            tokens.back().text += text;
        else if (!text.isEmpty())
            tokens.append({text, true});
    }
    return tokens;
}

} // namespace dateformat

using namespace dateformat;

bool hasTwelveHourClock(const QLocale& locale)
{
    for (const FormatToken& t : tokenize(effective(locale).timeFormat(QLocale::LongFormat))) {
        if (!t.literal && (t.text.front() == u'h' || t.text.front().toLower() == u'a'))
            return true;
    }
    return false;
}

// The short date in the locale's order, separators and words, but with ASCII digits and a
// four-digit year, so that every locale's text reads back the same way and matches what is
// typed into the dialog's boxes.
QString shortDate(double v, const QLocale& locale)
{
    const std::optional<CivilTime> c = fromDateValue(v);
    if (!c)
        return {};
    const QLocale loc = effective(locale);
    const QDate date(c->year, c->month, c->day);
    QString text;
    for (const FormatToken& t : tokenize(loc.dateFormat(QLocale::ShortFormat)))
        text += t.literal
            ? t.text
            : loc.toString(date, t.text.front() == u'y' ? QStringLiteral("yyyy") : t.text);
    text = asciiDigits(text);
    // Without its bidi marks: in this program's left-to-right lines they would turn the date,
    // and the words around it, the other way.
    text.removeIf([](QChar ch) { return ch.category() == QChar::Other_Format; });
    return text;
}

} // namespace ui
