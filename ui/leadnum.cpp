#include "ui/leadnum.h"

#include "ui/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace ui {

namespace {

bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The characters of the leading number, blanks removed, in a form
// from_chars takes: no '+' sign, 'e' as the exponent letter.
std::string leadingChars(const QString& text)
{
    std::string out;
    qsizetype i = 0;
    auto peek = [&]() -> QChar {
        while (i < text.size() && isSkipped(text[i]))
            ++i;
        return i < text.size() ? text[i] : QChar();
    };

    // An optional sign, as from_chars takes it: "-" kept, "+" dropped.
    auto sign = [&](std::string& to) {
        if (peek() == u'-' || peek() == u'+')
            to += text[i++] == u'-' ? "-" : "";
    };
    sign(out);
    bool point = false;
    for (QChar c = peek(); isDigit(c) || (c == u'.' && !point); c = peek()) {
        point = point || c == u'.';
        out += char(c.unicode());
        ++i;
    }

    // An exponent counts only if at least one digit follows its letter.
    const QChar e = peek().toLower();
    if (e == u'e' || e == u'd') {
        std::string exponent = "e";
        ++i;
        sign(exponent);
        const std::size_t digits = exponent.size();
        for (QChar c = peek(); isDigit(c); c = peek()) {
            exponent += char(c.unicode());
            ++i;
        }
        if (exponent.size() > digits)
            out += exponent;
    }
    return out;
}

// For a number too large or too small for a double: infinity or zero, with its sign. Which
// one depends on where its first significant digit stands, the exponent included.
double beyondDouble(const std::string& chars)
{
    const std::size_t e = std::min(chars.find('e'), chars.size());
    const std::size_t point = std::min(chars.find('.'), e);
    const std::size_t lead = chars.find_first_of("123456789"); // zero never overflows
    long long exponent = 0;
    // An exponent of more digits than a long long holds reads as an infinite one.
    const bool huge = e < chars.size()
        && std::from_chars(chars.data() + e + 1, chars.data() + chars.size(), exponent).ec
            != std::errc();
    const double order = huge ? (chars[e + 1] == '-' ? -1 : 1) * HUGE_VAL
                              : double(point) - double(lead) - (lead < point) + double(exponent);
    const double magnitude = order > 0 ? HUGE_VAL : 0.0;
    return chars.front() == '-' ? -magnitude : magnitude;
}

} // namespace

double leadingNumber(const QString& text)
{
    const std::string chars = leadingChars(text);
    const char* first = chars.data();
    const char* last = first + chars.size();
    double value = 0.0;
    const auto res = std::from_chars(first, last, value);
    if (res.ec == std::errc::result_out_of_range)
        return beyondDouble(chars);
    if (res.ec != std::errc() || res.ptr == first)
        return 0.0; // "", "-", "." and friends
    return value + 0.0; // no negative zero from "-0"
}

qint16 toInt16(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = Round(x, 0);
    if (r <= -32768.0)
        return -32768;
    if (r >= 32767.0)
        return 32767;
    return qint16(r);
}

} // namespace ui
