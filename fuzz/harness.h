#pragma once
// What every fuzz target shares: its bytes split into typed values, the check that stops the
// fuzzer on a broken promise, and, outside libFuzzer, a main that replays corpus folders.
#include <QDir>
#include <QLocale>

#include <cstdint>
#include <cstdio>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Takes the bytes front first; what is left over is the text.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
    uint8_t byte() { return size ? (--size, *data++) : 0; }
    double number()
    {
        double x = 0;
        const size_t n = std::min(size, sizeof x);
        std::memcpy(&x, data, n);
        data += n, size -= n;
        return x;
    }
    // Locales whose dates and numbers are written most differently: day/month order,
    // separators, AM/PM words before the hour, non-ASCII digits, right-to-left scripts.
    QLocale locale()
    {
        static const QLocale::Language langs[] = {QLocale::C, QLocale::English, QLocale::German,
            QLocale::French, QLocale::Arabic, QLocale::Persian, QLocale::Japanese, QLocale::Korean,
            QLocale::Chinese, QLocale::Finnish, QLocale::Hindi, QLocale::Bengali, QLocale::Hebrew,
            QLocale::Russian, QLocale::Albanian, QLocale::Marathi};
        return QLocale(langs[byte() % std::size(langs)]);
    }
    QByteArray rest() const { return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)); }
    QString text() const { return QString::fromUtf8(rest()); }
};

#define FUZZ_CHECK(cond) ((cond) ? void() : __builtin_trap())

#ifndef TASSELDAY_LIBFUZZER
// Each file of the corpus folders once: the unit suite keeps the inputs that once mattered.
int main(int argc, char* argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QDir dir(QString::fromLocal8Bit(argv[i]));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                return std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName())), 1;
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
#endif
