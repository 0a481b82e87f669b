#include "ui/dateformat.h"

namespace ui::dateformat {

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

} // namespace ui::dateformat
