#pragma once

#include <QList>
#include <QLocale>
#include <QString>

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

} // namespace ui::dateformat
