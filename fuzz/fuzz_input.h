#pragma once
#include <QLocale>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

// Splits a fuzzer's bytes into the few typed values a target needs, front first; what is
// left over is the text.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }

    double number()
    {
        double x = 0;
        const size_t n = m_size < sizeof x ? m_size : sizeof x;
        std::memcpy(&x, m_data, n);
        m_data += n;
        m_size -= n;
        return x;
    }

    // Locales whose dates and numbers are written most differently: day/month order,
    // separators, AM/PM words before the hour, non-ASCII digits, right-to-left scripts.
    QLocale locale()
    {
        static const QLocale::Language langs[] = {
            QLocale::C, QLocale::English, QLocale::German, QLocale::French, QLocale::Arabic,
            QLocale::Persian, QLocale::Japanese, QLocale::Korean, QLocale::Chinese,
            QLocale::Finnish, QLocale::Hindi, QLocale::Bengali, QLocale::Hebrew,
            QLocale::Russian, QLocale::Albanian, QLocale::Marathi};
        const uint8_t b = byte();
        return QLocale(langs[b % (sizeof langs / sizeof langs[0])]);
    }

    QByteArray rest() const { return QByteArray(reinterpret_cast<const char*>(m_data), qsizetype(m_size)); }
    QString text() const { return QString::fromUtf8(rest()); }

private:
    const uint8_t* m_data;
    size_t m_size;
};

// A broken promise is a finding: the fuzzer stops on it like on a crash.
#define FUZZ_CHECK(cond)                                                             \
    do {                                                                             \
        if (!(cond))                                                                 \
            __builtin_trap();                                                        \
    } while (0)
