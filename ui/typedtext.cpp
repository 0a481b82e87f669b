#include "ui/typedtext.h"

#include <QTextBoundaryFinder>

namespace ui {

char32_t codePointAt(QStringView text, qsizetype i)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(text[i], text[i + 1]);
    return text[i].unicode();
}

QString asciiDigits(const QString& text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char32_t c = codePointAt(out, i);
        if (QChar::category(c) == QChar::Number_DecimalDigit)
            out.replace(
                i, QChar::requiresSurrogates(c) ? 2 : 1, QChar(u'0' + QChar::digitValue(c)));
    }
    return out;
}

qsizetype visibleLength(const QString& text)
{
    QTextBoundaryFinder bounds(QTextBoundaryFinder::Grapheme, text);
    qsizetype n = 0;
    while (bounds.toNextBoundary() > 0)
        ++n;
    return n;
}

void cutToLimit(QString& after, int& cursor, qsizetype from, int limit)
{
    QString typed = after.mid(from, cursor - from);
    // NUL, TAB, CR, LF and the other controls, and the line and paragraph separators: a
    // one-line box has no use for them, and a screen reader stops reading at a NUL. Every
    // control character is a single UTF-16 unit.
    typed.removeIf([](QChar c) {
        const QChar::Category kind = c.category();
        return kind == QChar::Other_Control || kind == QChar::Separator_Line
            || kind == QChar::Separator_Paragraph;
    });
    after.replace(from, cursor - from, typed);
    qsizetype end = from + typed.size();
    if (limit > 0 && visibleLength(after) > limit) {
        // The longest run of whole new characters that keeps within the limit; none at
        // all when the box held as many before.
        const QString rest = after.mid(end);
        QTextBoundaryFinder bounds(QTextBoundaryFinder::Grapheme, after);
        bounds.setPosition(from);
        qsizetype keep = from;
        for (qsizetype at = bounds.toNextBoundary(); at > 0 && at <= end;
             at = bounds.toNextBoundary()) {
            if (visibleLength(after.left(at) + rest) > limit)
                break;
            keep = at;
        }
        after.remove(keep, end - keep);
        end = keep;
    }
    cursor = int(end);
}

} // namespace ui
