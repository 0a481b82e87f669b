#include "ui/datetext.h"

#include "ui/datevalue.h"
#include "ui/typedtext.h"

#include <QDate>

// The locale's formats taken apart, its short date and clock, and the general date form made
// of them.
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
    QList<FormatToken> tokens;
    auto addLiteral = [&](const QString& text) {
        if (!tokens.isEmpty() && tokens.back().literal)
            tokens.back().text += text;
        else
            tokens.append({text, true});
    };
    bool quoted = false;
    for (qsizetype i = 0; i < fmt.size();) {
        const QChar c = fmt[i];
        if (c == u'\'') {
            // Two quotes are one quote, inside quoted text or out; one starts or ends it.
            const bool twice = fmt.mid(i, 2) == QLatin1String("''");
            if (twice)
                addLiteral(QStringLiteral("'"));
            else
                quoted = !quoted;
            i += twice ? 2 : 1;
        } else if (!quoted && QStringView(u"dMyhHmszaAt").contains(c)) { // Qt copies other letters
            qsizetype end = i + 1;
            if ((c == u'a' || c == u'A') && end < fmt.size()
                && (fmt[end] == u'p' || fmt[end] == u'P'))
                ++end; // "AP"
            else
                while (end < fmt.size() && fmt[end] == c)
                    ++end;
            tokens.append({fmt.mid(i, end - i), false});
            i = end;
        } else {
            addLiteral(QString(c));
            ++i;
        }
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
    const std::optional<CivilTime> c = fromDateValue(v);
    if (!c)
        return {};
    const QLocale loc = effective(locale);
    QString format;
    for (const FormatToken& t : tokenize(loc.dateFormat(QLocale::ShortFormat))) {
        if (t.literal)
            format += u'\'' + QString(t.text).replace(u'\'', QLatin1String("''")) + u'\'';
        else
            format += t.text.front() == u'y' ? QStringLiteral("yyyy") : t.text;
    }
    QString text = asciiDigits(loc.toString(QDate(c->year, c->month, c->day), format));
    // Without its bidi marks: in this program's left-to-right lines they would turn the date,
    // and the words around it, the other way.
    text.removeIf([](QChar ch) { return ch.category() == QChar::Other_Format; });
    return text;
}

} // namespace ui
