#include "ui/datetext.h"

#include "ui/datevalue.h"

#include <QDate>
#include <QList>

#include <algorithm>

namespace ui {

namespace {

QLocale effective(const QLocale& loc)
{
    if (loc.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return loc;
}

// ---- Qt date/time formats, taken apart ----

// A run of one pattern letter ("yy", "HH", "AP", "t") or a piece of literal
// text (quotes already removed).
struct FormatToken {
    QString text;
    bool literal = false;
};

bool isPatternLetter(QChar c)
{
    // Qt copies every other letter verbatim.
    return QStringView(u"dMyhHmszaAt").contains(c);
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
    for (qsizetype i = 0; i < fmt.size();) {
        const QChar c = fmt[i];
        if (c == u'\'') {
            if (fmt.mid(i, 2) == QLatin1String("''")) {
                addLiteral(QStringLiteral("'"));
                i += 2;
                continue;
            }
            QString text;
            for (++i; i < fmt.size(); ++i) {
                if (fmt[i] == u'\'' && fmt.mid(i, 2) != QLatin1String("''"))
                    break;
                text += fmt[i];
                i += fmt[i] == u'\'';  // '' inside quotes is one quote
            }
            ++i;
            addLiteral(text);
        } else if (isPatternLetter(c)) {
            qsizetype end = i + 1;
            if ((c == u'a' || c == u'A') && end < fmt.size()
                && (fmt[end] == u'p' || fmt[end] == u'P'))
                ++end;  // "AP"
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

QString joinFormat(const QList<FormatToken>& tokens)
{
    QString fmt;
    for (const FormatToken& t : tokens) {
        if (!t.literal)
            fmt += t.text;
        else if (!t.text.isEmpty())
            fmt += u'\'' + QString(t.text).replace(u'\'', QLatin1String("''")) + u'\'';
    }
    return fmt;
}

QString shortDateFormat(const QLocale& loc)
{
    // Two-digit years make dates ambiguous; this program always writes four.
    QList<FormatToken> tokens = tokenize(loc.dateFormat(QLocale::ShortFormat));
    for (FormatToken& t : tokens) {
        if (!t.literal && t.text.front() == u'y')
            t.text = QStringLiteral("yyyy");
    }
    return joinFormat(tokens);
}

QString longTimeFormat(const QLocale& loc)
{
    // Dates here have no time zone. Drop the zone together with the blanks,
    // commas and brackets that only served to set it apart: "h:mm:ss AP t",
    // "H:mm:ss (t)", "t HH:mm:ss".
    QList<FormatToken> tokens = tokenize(loc.timeFormat(QLocale::LongFormat));
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        if (tokens[k].literal || tokens[k].text.front() != u't')
            continue;
        tokens[k].text.clear();
        tokens[k].literal = true;
        if (k > 0 && tokens[k - 1].literal) {
            QString& before = tokens[k - 1].text;
            while (!before.isEmpty()
                   && (before.back().isSpace() || QStringView(u"([,").contains(before.back())))
                before.chop(1);
        }
        if (k + 1 < tokens.size() && tokens[k + 1].literal) {
            QString& after = tokens[k + 1].text;
            while (!after.isEmpty()
                   && (after.front().isSpace() || QStringView(u")],").contains(after.front())))
                after.remove(0, 1);
        }
    }
    return joinFormat(tokens);
}

QString padded(int n, int width)
{
    return QString::number(n).rightJustified(width, u'0');
}

// The short date in the locale's order, separators and words, but with ASCII
// digits and a four-digit year, so that every locale's text reads back the same way
// and matches what is typed into the dialog's boxes.
QString formatShortDate(const QLocale& loc, const QDate& date)
{
    QString text;
    for (const FormatToken& t : tokenize(shortDateFormat(loc))) {
        if (t.literal) {
            // Without its bidi marks: in this program's left-to-right lines they would
            // turn the date, and the words around it, the other way.
            for (QChar c : t.text) {
                if (c.category() != QChar::Other_Format)
                    text += c;
            }
            continue;
        }
        const qsizetype n = t.text.size();
        switch (t.text.front().unicode()) {
        case u'd':
            text += n <= 2 ? padded(date.day(), int(n))
                           : loc.dayName(date.dayOfWeek(), n == 3 ? QLocale::ShortFormat
                                                                  : QLocale::LongFormat);
            break;
        case u'M':
            text += n <= 2 ? padded(date.month(), int(n))
                           : loc.monthName(date.month(), n == 3 ? QLocale::ShortFormat
                                                                : QLocale::LongFormat);
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

QString withoutBlanks(QString s)
{
    s.removeIf([](QChar c) { return c.isSpace(); });
    return s;
}

// The fields of a format in order ('h' standing for h and H) and the literal
// text around them, blanks left out: for "'kl'. HH:mm:ss" that is head "kl.",
// between ":" and ":", order "hms".
struct FormatShape {
    QString order;
    QString head;
    QStringList between;
    QString tail;
};

FormatShape shapeOf(const QString& fmt, QStringView fields)
{
    FormatShape shape;
    QString pending;
    bool done = false;
    for (const FormatToken& t : tokenize(fmt)) {
        if (done)
            break;
        if (t.literal) {
            pending += t.text;
            continue;
        }
        QChar field = t.text.front() == u'H' ? u'h' : t.text.front();
        if (field == u'd' && t.text.size() > 2)
            field = QChar();  // weekday name
        if (!fields.contains(field)) {
            if (shape.order.isEmpty())
                pending.clear();  // e.g. an AM/PM in front of the time
            else
                done = true;
            continue;
        }
        if (shape.order.isEmpty())
            shape.head = withoutBlanks(pending);
        else
            shape.between.append(withoutBlanks(pending));
        shape.order += field;
        pending.clear();
    }
    if (!shape.order.isEmpty())
        shape.tail = withoutBlanks(pending);
    return shape;
}

// The single characters a format puts between its fields: "/", ".", ":".
QString separatorsOf(const QString& fmt)
{
    QString seps;
    for (const FormatToken& t : tokenize(fmt)) {
        if (!t.literal)
            continue;
        for (QChar c : t.text) {
            if (!c.isLetter() && !c.isSpace() && !seps.contains(c))
                seps += c;
        }
    }
    return seps;
}

// ---- Reading ----

class Reader
{
public:
    explicit Reader(QStringView text) : s(text) {}

    bool atEnd() const { return i >= s.size(); }

    void skipBlanks()
    {
        // Bidi marks come with some locales' formats; treat them like blanks.
        while (!atEnd() && (s[i].isSpace() || s[i].category() == QChar::Other_Format))
            ++i;
    }

    // Digits of any script, as long as the value stays small.
    bool number(int& value, int& digits)
    {
        value = 0;
        digits = 0;
        while (!atEnd()) {
            char32_t cp = s[i].unicode();
            qsizetype len = 1;
            if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
                cp = QChar::surrogateToUcs4(s[i], s[i + 1]);
                len = 2;
            }
            const int digit = QChar::digitValue(cp);
            if (digit < 0)
                break;
            if (++digits > 9)
                return false;
            value = value * 10 + digit;
            i += len;
        }
        return digits > 0;
    }

    // The characters of `text` in order, blanks allowed before each. Reads
    // nothing unless all of them are there.
    bool literal(const QString& text)
    {
        const qsizetype start = i;
        for (QChar c : text) {
            skipBlanks();
            if (atEnd() || s[i].toCaseFolded() != c.toCaseFolded()) {
                i = start;
                return false;
            }
            ++i;
        }
        return true;
    }

    // What stands between two numbers: one of the separator characters, or
    // the locale's own text for that place. When the locale has only blanks
    // there, `blanksJoin` allows that too.
    bool joint(const QString& seps, const QString& own, bool blanksJoin)
    {
        const qsizetype start = i;
        skipBlanks();
        // The locale's own text first: it may begin with a separator ("-a horo").
        bool found = !own.isEmpty() && literal(own);
        if (!found && !atEnd() && seps.contains(s[i])) {
            ++i;
            found = true;
        }
        if (!found && !(own.isEmpty() && blanksJoin)) {
            i = start;
            return false;
        }
        skipBlanks();
        return true;
    }

    bool word(const QString& w)
    {
        if (w.isEmpty() || s.size() - i < w.size()
            || s.mid(i, w.size()).compare(w, Qt::CaseInsensitive) != 0)
            return false;
        i += w.size();
        return true;
    }

private:
    QStringView s;
    qsizetype i = 0;
};

enum class HalfDay { None, Am, Pm };

HalfDay readHalfDay(Reader& r, const QLocale& loc)
{
    // Longest first, so a locale's text never loses to a prefix of itself.
    QList<std::pair<QString, HalfDay>> words = {{loc.amText(), HalfDay::Am},
                                                {loc.pmText(), HalfDay::Pm},
                                                {QStringLiteral("AM"), HalfDay::Am},
                                                {QStringLiteral("PM"), HalfDay::Pm}};
    std::stable_sort(words.begin(), words.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    for (const auto& [w, half] : words) {
        if (r.word(w))
            return half;
    }
    return HalfDay::None;
}

int fullYear(int value, int digits)
{
    if (digits <= 2)
        return value < 30 ? 2000 + value : 1900 + value;
    return digits <= 4 ? value : -1;
}

}  // namespace

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

QString shortDate(double v, const QLocale& locale)
{
    const std::optional<CivilTime> t = fromDateValue(v);
    if (!t)
        return {};
    return formatShortDate(effective(locale), QDate(t->year, t->month, t->day));
}

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

std::optional<double> readDateTime(const QString& text, const QLocale& locale)
{
    const QLocale loc = effective(locale);
    const QString dateFmt = loc.dateFormat(QLocale::ShortFormat);
    const QString timeFmt = longTimeFormat(loc);

    FormatShape date = shapeOf(dateFmt, u"dMy");
    if (date.order.size() != 3 || date.order.count(u'd') != 1 || date.order.count(u'M') != 1)
        date = {QStringLiteral("Mdy"), {}, {QStringLiteral("/"), QStringLiteral("/")}, {}};
    FormatShape time = shapeOf(timeFmt, u"hms");
    if (time.order != QLatin1String("hms"))
        time = {QStringLiteral("hms"), {}, {QStringLiteral(":"), QStringLiteral(":")}, {}};
    const QString dateSeps = QStringLiteral("/-.") + separatorsOf(dateFmt);
    const QString timeSeps = QStringLiteral(":") + separatorsOf(timeFmt);

    Reader r(text);
    r.skipBlanks();

    // The date, its fields in the locale's order.
    int day = 0, month = 0, year = 0, n = 0;
    r.literal(date.head);
    r.skipBlanks();
    for (int k = 0; k < 3; ++k) {
        if (k > 0 && !r.joint(dateSeps, date.between[k - 1], true))
            return std::nullopt;
        int value = 0;
        if (!r.number(value, n))
            return std::nullopt;
        switch (date.order[k].unicode()) {
        case u'd': day = value; break;
        case u'M': month = value; break;
        default: year = fullYear(value, n); break;
        }
    }
    r.literal(date.tail);
    if (year < 100 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;

    r.skipBlanks();
    if (r.atEnd())
        return toDateValue(year, month, day);

    // The time; some locales put AM/PM in front of it.
    HalfDay half = readHalfDay(r, loc);
    const bool halfFirst = half != HalfDay::None;
    r.skipBlanks();
    r.literal(time.head);
    r.skipBlanks();

    int hour = 0, minute = 0, second = 0;
    if (!r.number(hour, n))
        return std::nullopt;
    bool hasMinutes = false;
    if (r.joint(timeSeps, time.between[0], false)) {
        if (!r.number(minute, n))
            return std::nullopt;
        hasMinutes = true;
        if (r.joint(timeSeps, time.between[1], false) && !r.number(second, n))
            return std::nullopt;
    }
    r.literal(time.tail);
    r.skipBlanks();
    if (!halfFirst)
        half = readHalfDay(r, loc);
    r.skipBlanks();
    if (!r.atEnd())
        return std::nullopt;

    // A bare number after the date isn't a time unless AM/PM says so.
    if (!hasMinutes && half == HalfDay::None)
        return std::nullopt;
    if (minute > 59 || second > 59)
        return std::nullopt;
    if (half == HalfDay::None) {
        if (hour > 23)
            return std::nullopt;
    } else if (half == HalfDay::Pm && hour > 12 && hour <= 23) {
        // Already on a 24-hour clock: the suffix agrees and changes nothing.
    } else if (half == HalfDay::Am && hour == 0) {
    } else {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour %= 12;
        if (half == HalfDay::Pm)
            hour += 12;
    }
    return toDateValue(year, month, day, hour, minute, second);
}

}  // namespace ui
