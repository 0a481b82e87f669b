// The fuzz targets, one program each (TASSELDAY_FUZZ_TARGET names it), each stopping on a broken
// promise. Outside libFuzzer, main replays the corpus files it is given, for the unit suite.
#include "about/launcher.h"
#include "ui/datetext.h"
#include "ui/datevalue.h"
#include "ui/desktop_entry.h"
#include "ui/leadnum.h"
#include "ui/numbers.h"
#include "ui/registry.h"
#include "ui/typedtext.h"
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>

#define FUZZ_CHECK(cond) ((cond) ? void() : __builtin_trap())

// The fuzzer's bytes, taken front first: as typed values, as the text left over, and as a
// registry that answers anything at all (any result, type, length and bytes).
struct FuzzInput final : ui::Registry {
    const uint8_t* data;
    size_t size;
    FuzzInput(const uint8_t* d, size_t n) : data(d), size(n) { }
    uint8_t byte() { return size ? (--size, *data++) : 0; }
    double number() // eight bytes, low first; zeros past the end
    {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= std::uint64_t(byte()) << 8 * i;
        return std::bit_cast<double>(bits);
    }
    // Dates and numbers written most differently: order, AM/PM first, digits, right-to-left.
    QLocale locale()
    {
        static const QStringList names
            = QStringLiteral("C en de fr ar fa ja ko zh fi hi bn he ru sq mr").split(u' ');
        return QLocale(names[byte() % names.size()]);
    }
    QByteArray rest() const { return {reinterpret_cast<const char*>(data), qsizetype(size)}; }
    long openKey(std::uint32_t, const std::string&, std::uint32_t, Key* key) override
    {
        *key = 1;
        return byte() % 4 == 0 ? ui::reg::kFileNotFound : ui::reg::kSuccess;
    }
    long queryValue(
        Key, const std::string&, std::uint32_t* type, char* out, std::uint32_t* room) override
    {
        const uint8_t result = byte();
        *type = byte() % 6;
        std::memcpy(out, data, std::min<size_t>(size, *room));
        *room = std::uint32_t(size) + (result & 0x80 ? 4096u : 0u); // now and then too long
        return result % 8 == 0 ? ui::reg::kMoreData : ui::reg::kSuccess;
    }
    void closeKey(Key) override { }
};

// A date read from text is a moment that can be written back; a value is written if a moment.
void fuzz_datetext(FuzzInput& in)
{
    const QLocale loc = in.locale();
    const bool read = in.byte() & 1;
    const std::optional<double> v
        = read ? ui::readDateTime(QString::fromUtf8(in.rest()), loc) : in.number();
    FUZZ_CHECK(!v
        || (ui::shortDate(*v, loc).isEmpty() == !ui::fromDateValue(*v)
            && (!read || ui::fromDateValue(*v))));
}
// The number at the start of any text is a number, and its nearest 16-bit integer is nearest.
void fuzz_leadnum(FuzzInput& in)
{
    const double x = ui::leadingNumber(QString::fromUtf8(in.rest()));
    FUZZ_CHECK(!std::isnan(x) && (std::fabs(x) > 32767 || std::fabs(ui::toInt16(x) - x) <= 0.5));
}
// Any number, and its rounding, has a text in any locale; Int and Mod take any value.
void fuzz_numbers(FuzzInput& in)
{
    const QLocale loc = in.locale();
    const int digits = int8_t(in.byte());
    const double x = in.number(), y = in.number(), r = ui::Round(x, digits);
    FUZZ_CHECK(!ui::numberToText(x, loc).isEmpty() && !ui::numberToText(r, loc).isEmpty());
    FUZZ_CHECK(std::isnan(x) == std::isnan(r) && (std::isnan(x) || ui::Int(x) <= x));
    (void)ui::Mod(x, y);
}
// The system information launcher's registry value rules: what is read fits its buffer.
void fuzz_sysinfo(FuzzInput& in)
{
    std::string value;
    try {
        const bool read
            = sysinfo::GetKeyValue(in, ui::reg::kLocalMachine, "SOFTWARE\\Key", "V", value);
        FUZZ_CHECK((read || value.empty()) && value.size() <= 2 * sysinfo::kBufferSize + 2);
    } catch (const sysinfo::EmptyValueError&) {
    }
}

// A user's edit between any texts, cut to any limit: what stood in the box stays, of the new
// text a leading part without control characters, whole characters only; the box holds no
// more characters than the limit, or than it held before.
void fuzz_typedtext(FuzzInput& in)
{
    const int limit = in.byte() % 4, n = in.byte() % 8, m = in.byte() % 8;
    const QByteArray bytes = in.rest();
    const QString before = QString::fromUtf8(bytes.left(n)),
                  after = QString::fromUtf8(bytes.mid(n, m));
    const QString typed = QString::fromUtf8(bytes.mid(n + m));
    QString box = before + typed + after, clean = typed;
    int cursor = int(before.size() + typed.size());
    ui::cutToLimit(box, cursor, before.size(), limit);
    clean.removeIf([](QChar c) {
        return c.category() == QChar::Other_Control || c == u'\u2028' || c == u'\u2029';
    });
    const qsizetype kept = cursor - before.size(); // compared as texts: null and empty alike
    FUZZ_CHECK(box.size() == cursor + after.size() && box.left(before.size()) == before
        && box.mid(cursor) == after && box.mid(before.size(), kept) == clean.left(kept)
        && box.isValidUtf16());
    FUZZ_CHECK(!limit
        || ui::visibleLength(box) <= std::max<qsizetype>(limit, ui::visibleLength(before + after)));
}
// An Exec line's words hold no more than the line; without quotes, escapes or field codes
// they are the line split at its blanks.
void fuzz_desktopentry(FuzzInput& in)
{
    const QString exec = QString::fromUtf8(in.rest());
    const QStringList words = ui::execCommand(exec);
    FUZZ_CHECK(words.join(QString()).size() <= exec.size());
    const bool plain = !exec.contains(u'"') && !exec.contains(u'\\') && !exec.contains(u'%');
    FUZZ_CHECK(
        !plain || words == QString(exec).replace(u'\t', u' ').split(u' ', Qt::SkipEmptyParts));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    TASSELDAY_FUZZ_TARGET(in);
    return 0;
}

#ifndef TASSELDAY_LIBFUZZER
int main(int argc, char* argv[]) // each file named once, as libFuzzer's own main does
{
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::string bytes {std::istreambuf_iterator<char>(file), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    return argc < 2;
}
#endif
