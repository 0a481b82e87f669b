#pragma once

#include <QString>
#include <QtGlobal>

// Reading numbers out of what the user typed, forgivingly: the number at the
// start of a text, 0 when there is none.
namespace ui {

// The number at the start of `text`. Blanks, tabs, CR and LF are skipped
// wherever they stand, even inside the number (" 1 2" reads 12). The decimal
// point is always "." whatever the locale; an exponent may follow ("1e2",
// "1D2"). Reading stops at the first character that can't continue the
// number; a text that doesn't start with one reads 0.
double leadingNumber(const QString& text);

// Nearest 16-bit integer, an exact half going to the even neighbour; values
// outside the 16-bit range are clamped rather than wrapped. NaN gives 0.
qint16 toInt16(double x);

} // namespace ui
