#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// Qt's date and time formats taken apart, so that dates are written and read
// in the locale's own order and words.
namespace ui::dateformat {

// The locale whose formats apply: the C locale (an unconfigured machine)
// behaves like US English.
QLocale effective(const QLocale& loc);

// A run of one pattern letter ("yy", "HH", "AP", "t") or a piece of literal
// text (quotes already removed).
struct FormatToken {
    QString text;
    bool literal = false;
};

QList<FormatToken> tokenize(const QString& fmt);
QString joinFormat(const QList<FormatToken>& tokens);

// The locale's short date format with a four-digit year.
QString shortDateFormat(const QLocale& loc);
// The locale's long time format without its time zone.
QString longTimeFormat(const QLocale& loc);

// The fields of a format in order ('h' standing for h and H) and the literal
// text around them, blanks left out: for "'kl'. HH:mm:ss" that is head "kl.",
// between ":" and ":", order "hms".
struct FormatShape {
    QString order;
    QString head;
    QStringList between;
    QString tail;
};
FormatShape shapeOf(const QString& fmt, QStringView fields);

// The single characters a format puts between its fields: "/", ".", ":".
QString separatorsOf(const QString& fmt);

} // namespace ui::dateformat
