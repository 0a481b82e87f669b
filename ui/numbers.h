#pragma once

#include <QLocale>
#include <QString>

// The countdown's arithmetic. Its numbers depend on exact rounding and
// formatting rules, so these follow the program's own rules rather than C++'s.
namespace ui {

// Largest whole number not above x: Int(2.9) = 2, Int(-0.3) = -1.
double Int(double x);

// Remainder of a truncating division; the result has the sign of a.
// Operands are first rounded to whole numbers (half to even). A zero divisor
// gives NaN.
double Mod(double a, double b);

// x rounded to n decimals (n is clamped to 0..15); an exact half goes to the
// even neighbour: Round(2.5, 0) = 2, Round(1.5, 0) = 2.
double Round(double x, int n);

// The shortest general form of a number: "12", "71.36702", "1.234E-06".
// At most 15 significant digits, ASCII digits, no grouping; the locale's
// decimal separator where it is "." or ",", else ".".
QString numberToText(double x, const QLocale& loc = QLocale());

} // namespace ui
