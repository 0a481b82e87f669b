#include "ui/datetext.h"

#include "ui/datevalue.h"
#include "ui/typedtext.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>

// The locale's formats taken apart, its short date and its clock, and the moment the options
// dialog puts together read back.
namespace ui {

QLocale dateformat::effective(const QLocale& loc)
{
    if (loc.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return loc;
}

namespace {

// A run of one pattern letter ("yy", "HH", "AP", "t") or a piece of literal text (quotes
// already removed).
struct FormatToken {
    QString text;
    bool literal = false;
};

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

} // namespace

using dateformat::effective;

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

namespace {

enum class HalfDay { None, Am, Pm };

struct Reader {
    QStringView s;
    qsizetype i = 0;

    bool atEnd() const { return i >= s.size(); }

    void skipBlanks()
    {
        // Bidi marks come with some locales' words; treat them like blanks.
        while (!atEnd() && (s[i].isSpace() || s[i].category() == QChar::Other_Format))
            ++i;
    }

    // Digits of any script, as the user may type them, as long as the value stays small.
    bool number(int& value)
    {
        value = 0;
        int digits = 0;
        while (!atEnd()) {
            const char32_t c = codePointAt(s, i);
            const int digit = QChar::digitValue(c);
            if (digit < 0)
                break;
            if (++digits > 9)
                return false;
            value = value * 10 + digit;
            i += QChar::requiresSurrogates(c) ? 2 : 1;
        }
        return digits > 0;
    }

    // The characters of `text` in order, blanks allowed before each; reads nothing unless
    // all of them are there.
    void skipWord(const QString& text)
    {
        const qsizetype start = i;
        for (QChar c : text) {
            skipBlanks();
            if (atEnd() || s[i].toCaseFolded() != c.toCaseFolded()) {
                i = start;
                return;
            }
            ++i;
        }
    }

    HalfDay halfDay(const QLocale& loc)
    {
        skipBlanks();
        // The locale's own words first: "am Vormittag" begins like "AM".
        const QString words[]
            = {loc.amText(), loc.pmText(), QStringLiteral("AM"), QStringLiteral("PM")};
        for (int k = 0; k < 4; ++k) {
            if (!words[k].isEmpty() && s.sliced(i).startsWith(words[k], Qt::CaseInsensitive)) {
                i += words[k].size();
                return k % 2 ? HalfDay::Pm : HalfDay::Am;
            }
        }
        return HalfDay::None;
    }
};

// The locale's word just before its hour (step -1) or just after its seconds (step 1), blanks
// left out, without the bracket or comma that sets off a time zone after it: "kl.", "秒".
QString wordBeside(const QList<FormatToken>& time, QChar field, int step)
{
    qsizetype k = step < 0 ? 0 : time.size() - 1;
    while (k >= 0 && k < time.size() && (time[k].literal || time[k].text[0].toLower() != field))
        k -= step;
    const qsizetype w = k + step;
    if (std::min(k, w) < 0 || std::max(k, w) >= time.size() || !time[w].literal)
        return {};
    QString text = time[w].text;
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text.remove(QRegularExpression(QStringLiteral("[([,]+$")));
}

} // namespace

std::optional<double> readDateTime(const QString& text, const QLocale& locale)
{
    const QLocale loc = effective(locale);
    Reader r {text};

    // The date: its three numbers in the locale's order, taken only as the very text this
    // program writes for that date.
    QString order;
    for (const FormatToken& t : tokenize(loc.dateFormat(QLocale::ShortFormat)))
        order += t.literal ? QString() : t.text.first(1);
    const qsizetype y = order.indexOf(u'y'), m = order.indexOf(u'M'), d = order.indexOf(u'd');
    if (order.size() != 3 || std::min({y, m, d}) < 0)
        return std::nullopt;
    int ymd[3] = {};
    for (int k = 0; k < 3; ++k) {
        while (!r.atEnd() && !r.s[r.i].isDigit())
            ++r.i;
        if (!r.number(ymd[k]))
            return std::nullopt;
    }
    const int year = ymd[y], month = ymd[m], day = ymd[d];
    if (year < 100 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;
    const QString date = shortDate(toDateValue(year, month, day), loc);
    if (!text.startsWith(date))
        return std::nullopt;
    r.i = date.size();

    // The hours, minutes and seconds joined by ":"; some locales put AM/PM in front of them.
    // The user may type the locale's word before the hour or after the seconds ("秒", "초").
    const QList<FormatToken> time = tokenize(loc.timeFormat(QLocale::LongFormat));
    HalfDay half = r.halfDay(loc);
    r.skipWord(wordBeside(time, u'h', -1));
    int hms[3] = {};
    for (int k = 0; k < 3; ++k) {
        r.skipBlanks();
        if (k > 0 && (r.atEnd() || r.s[r.i++] != u':'))
            return std::nullopt;
        r.skipBlanks();
        if (!r.number(hms[k]))
            return std::nullopt;
    }
    auto [hour, minute, second] = hms;
    r.skipWord(wordBeside(time, u's', 1));
    if (half == HalfDay::None)
        half = r.halfDay(loc);
    r.skipBlanks();
    if (!r.atEnd())
        return std::nullopt;

    // An hour of 13 to 23 with PM, or 0 with AM, is already on a 24-hour clock: the suffix
    // agrees with it.
    const bool fullDay = half == HalfDay::None || (half == HalfDay::Pm && hour > 12)
        || (half == HalfDay::Am && hour == 0);
    if (minute > 59 || second > 59 || (fullDay ? hour > 23 : hour < 1 || hour > 12))
        return std::nullopt;
    if (!fullDay)
        hour = hour % 12 + (half == HalfDay::Pm ? 12 : 0);
    return toDateValue(year, month, day, hour, minute, second);
}

} // namespace ui
