#include "ui/dateformat.h"

namespace ui::dateformat {

QLocale effective(const QLocale& loc)
{
    if (loc.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return loc;
}

namespace {

bool isPatternLetter(QChar c)
{
    // Qt copies every other letter verbatim.
    return QStringView(u"dMyhHmszaAt").contains(c);
}

} // namespace

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
                i += fmt[i] == u'\''; // '' inside quotes is one quote
            }
            ++i;
            addLiteral(text);
        } else if (isPatternLetter(c)) {
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

namespace {

QString withoutBlanks(QString s)
{
    s.removeIf([](QChar c) { return c.isSpace(); });
    return s;
}

} // namespace

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
            field = QChar(); // weekday name
        if (!fields.contains(field)) {
            if (shape.order.isEmpty())
                pending.clear(); // e.g. an AM/PM in front of the time
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

} // namespace ui::dateformat
