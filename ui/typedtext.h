#pragma once
#include <QString>

// What the user types into a text box, made fit for the box and for reading. Plain text
// rules without any widget, so that they are tested and fuzzed on their own.
namespace ui {

// The character at `i`: a surrogate pair's code point, else the unit itself (a lone
// surrogate too).
char32_t codePointAt(QStringView text, qsizetype i);

// Every Unicode decimal digit ("٣", "８", "३", "𝟑") as its ASCII digit; everything else
// unchanged. A number the user types reads the same in whichever script it is written.
QString asciiDigits(const QString& text);

// The characters a reader counts: an emoji, a flag or a letter with its accents is one.
qsizetype visibleLength(const QString& text);

// The user's edit of a box: `after` is its new text, the new characters running from `from`
// up to `cursor`. Control characters and line breaks among them are dropped; then whole
// characters are cut off their end until the box holds at most `limit` (0: no limit), but
// what stood in the box before is always kept. The cursor stays just past the new text.
void cutToLimit(QString& after, int& cursor, qsizetype from, int limit);

} // namespace ui
