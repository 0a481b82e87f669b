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

} // namespace ui::dateformat
