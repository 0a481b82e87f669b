#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// Date values (see datevalue.h) as text, the way the user's locale writes
// them. The C locale behaves like US English, as the old program's runtime
// did on an unconfigured machine.
namespace ui {

// The locale's short date with a four-digit year, a blank and the long time
// without any time zone: "6/4/2006 6:00:00 PM". At exactly midnight the time
// is left out: "8/24/2005". A value outside the years 100..9999 gives empty text.
QString generalDate(double v, const QLocale& loc = QLocale());

// Reads a date, optionally followed by a time, in the locale's day/month/year
// order: "6/4/2006 6:00:00PM", "04.06.2006 18:00:00". A date alone means
// midnight. Anything that isn't a real date and time gives nullopt.
std::optional<double> readDateTime(const QString& text, const QLocale& loc = QLocale());

}  // namespace ui
