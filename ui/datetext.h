#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// Date values (see datevalue.h) as text, the way the user's locale writes
// them. The C locale (an unconfigured machine) behaves like US English.
namespace ui {

// Whether the locale tells the time on a 12-hour clock ("h:mm:ss AP"), as
// opposed to "HH:mm:ss".
bool hasTwelveHourClock(const QLocale& loc = QLocale());

// The date of `v` as the locale writes its short date (order, separators and
// words), with ASCII digits, a four-digit year and no bidi marks: "6/4/2006",
// "04.06.2006", "2006. 06. 04.". Blanks inside it belong to the date.
QString shortDate(double v, const QLocale& loc = QLocale());

// Reads the moment the options dialog puts together: the date as shortDate
// writes it, then the hours, minutes and seconds joined by ":", each in digits
// of any script, and AM/PM before or after them: "6/4/2006 6:00:00PM",
// "04.06.2006 18:00:00". An hour of 13 to 23 with PM, or 0 with AM, is the same
// hour without the suffix. Anything that isn't a real moment gives nullopt.
std::optional<double> readDateTime(const QString& text, const QLocale& loc = QLocale());

// The locale whose formats apply: the C locale behaves like US English.
namespace dateformat {
QLocale effective(const QLocale& loc);
} // namespace dateformat

} // namespace ui
