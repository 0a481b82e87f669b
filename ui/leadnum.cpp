#include "ui/leadnum.h"

#include "ui/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
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

// For a number too large or too small for a double: infinity or zero, with
// its sign. Which one depends on where its first significant digit stands.
double beyondDouble(const std::string& chars)
{
    const bool negative = chars.front() == '-';
    const auto e = chars.find('e');
    const std::string mantissa = chars.substr(negative, e - negative);
    long long exponent = 0;
    if (e != std::string::npos) {
        const bool down = chars.compare(e, 2, "e-") == 0;
        for (std::size_t k = e + 1 + down; k < chars.size() && exponent < 1'000'000'000; ++k)
            exponent = exponent * 10 + (chars[k] - '0');
        if (down)
            exponent = -exponent;
    }
    const auto point = std::min(mantissa.find('.'), mantissa.size());
    const auto lead = mantissa.find_first_of("123456789");
    // Power of ten of the first significant digit (from_chars only overflows
    // when there is one).
    const long long order = lead < point ? static_cast<long long>(point - lead - 1)
                                         : -static_cast<long long>(lead - point);
    const double magnitude = order + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
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
