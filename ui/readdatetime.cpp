#include "ui/datetext.h"

#include "ui/datevalue.h"
#include "ui/typedtext.h"

#include <QDate>
#include <QRegularExpression>

// Reading a date and time back from text, in the locale's order.
namespace ui {

using namespace dateformat;

namespace {

// The fields of a format in order ('h' standing for h and H), the literal text around them,
// blanks left out: for "'kl'. HH:mm:ss" that is head "kl.", between ":" and ":", order "hms".
// The tail ends where a time zone or an AM/PM begins, without the brackets or commas that set
// those apart: "h:mm:ss AP t", "H:mm:ss (t)". Dates here have no zone.
struct FormatShape {
    QString order;
    QString head;
    QStringList between;
    QString tail;

    // The characters that may stand between two numbers: the format's own, less its words.
    QString separators() const
    {
        QString seps = head + between.join(QString()) + tail;
        seps.removeIf([](QChar c) { return c.isLetter(); });
        return seps;
    }
};

FormatShape shapeOf(const QString& format, QStringView fields)
{
    FormatShape shape;
    QString pending;
    for (const FormatToken& t : tokenize(format)) {
        if (t.literal) {
            pending += t.text;
            pending.removeIf([](QChar c) { return c.isSpace(); });
            continue;
        }
        QChar field = t.text.front() == u'H' ? u'h' : t.text.front();
        if (field == u'd' && t.text.size() > 2)
            field = QChar(); // weekday name
        if (!fields.contains(field)) {
            if (!shape.order.isEmpty()) {
                pending.remove(QRegularExpression(QStringLiteral("[([,]+$")));
                break;
            }
            pending.clear(); // e.g. an AM/PM in front of the time
            continue;
        }
        if (shape.order.isEmpty())
            shape.head = pending;
        else
            shape.between.append(pending);
        shape.order += field;
        pending.clear();
    }
    if (!shape.order.isEmpty())
        shape.tail = pending;
    return shape;
}

struct Reader {
    QStringView s;
    qsizetype i = 0;

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
};

enum class HalfDay { None, Am, Pm };

HalfDay readHalfDay(Reader& r, const QLocale& loc)
{
    // The locale's own words first: "am Vormittag" begins like "AM".
    const QString words[]
        = {loc.amText(), loc.pmText(), QStringLiteral("AM"), QStringLiteral("PM")};
    for (int k = 0; k < 4; ++k) {
        if (!words[k].isEmpty() && r.s.sliced(r.i).startsWith(words[k], Qt::CaseInsensitive)) {
            r.i += words[k].size();
            return k % 2 ? HalfDay::Pm : HalfDay::Am;
        }
    }
    return HalfDay::None;
}

// Up to three numbers after the format's head, each after its joint, then the format's tail:
// how many were read, or -1 when a number is missing where one must stand.
int readFields(Reader& r, const FormatShape& shape, const QString& seps, bool blanksJoin,
    int values[3], int digits[3])
{
    r.literal(shape.head);
    r.skipBlanks();
    int k = 0;
    for (; k < 3 && (k == 0 || r.joint(seps, shape.between[k - 1], blanksJoin)); ++k) {
        if (!r.number(values[k], digits[k]))
            return -1;
    }
    r.literal(shape.tail);
    return k;
}

int fullYear(int value, int digits)
{
    if (digits <= 2)
        return value < 30 ? 2000 + value : 1900 + value;
    return digits <= 4 ? value : -1;
}

} // namespace

std::optional<double> readDateTime(const QString& text, const QLocale& locale)
{
    const QLocale loc = effective(locale);
    // A format without its three fields is read in the plain order, its separators still allowed.
    FormatShape date = shapeOf(loc.dateFormat(QLocale::ShortFormat), u"dMy");
    const QString dateSeps = QStringLiteral("/-.") + date.separators();
    if (date.order.size() != 3 || date.order.count(u'd') != 1 || date.order.count(u'M') != 1)
        date = {QStringLiteral("Mdy"), {}, {QStringLiteral("/"), QStringLiteral("/")}, {}};
    FormatShape time = shapeOf(loc.timeFormat(QLocale::LongFormat), u"hms");
    const QString timeSeps = QStringLiteral(":") + time.separators();
    if (time.order != QLatin1String("hms"))
        time = {QStringLiteral("hms"), {}, {QStringLiteral(":"), QStringLiteral(":")}, {}};

    Reader r {text};

    // The date, its fields in the locale's order.
    int values[3] = {}, digits[3] = {};
    if (readFields(r, date, dateSeps, true, values, digits) != 3)
        return std::nullopt;
    const qsizetype y = date.order.indexOf(u'y');
    const int year = fullYear(values[y], digits[y]);
    const int month = values[date.order.indexOf(u'M')], day = values[date.order.indexOf(u'd')];
    if (year < 100 || year > 9999 || !QDate::isValid(year, month, day))
        return std::nullopt;

    r.skipBlanks();
    if (r.atEnd())
        return toDateValue(year, month, day);

    // The time; some locales put AM/PM in front of it.
    HalfDay half = readHalfDay(r, loc);
    // The hour, then the minutes and the seconds, each only after its joint.
    int hms[3] = {}, hmsDigits[3] = {};
    const int fields = readFields(r, time, timeSeps, false, hms, hmsDigits);
    if (fields < 1)
        return std::nullopt;
    auto [hour, minute, second] = hms;
    const bool hasMinutes = fields > 1;
    r.skipBlanks();
    if (half == HalfDay::None)
        half = readHalfDay(r, loc);
    r.skipBlanks();
    if (!r.atEnd())
        return std::nullopt;

    // A bare number after the date isn't a time unless AM/PM says so. An hour of 13 to 23
    // with PM, or 0 with AM, is already on a 24-hour clock: the suffix agrees with it.
    const bool fullDay = half == HalfDay::None || (half == HalfDay::Pm && hour > 12)
        || (half == HalfDay::Am && hour == 0);
    if ((!hasMinutes && half == HalfDay::None) || minute > 59 || second > 59
        || (fullDay ? hour > 23 : hour < 1 || hour > 12))
        return std::nullopt;
    if (!fullDay)
        hour = hour % 12 + (half == HalfDay::Pm ? 12 : 0);
    return toDateValue(year, month, day, hour, minute, second);
}

} // namespace ui
