// The registry value rules of the system information launcher, against a registry that
// answers anything at all: any result, type, length and bytes.
#include "about/sysinfo.h"
#include "fuzz/fuzz_input.h"
#include "ui/registry.h"

#include <algorithm>

namespace {

class AnyRegistry final : public ui::Registry {
public:
    explicit AnyRegistry(FuzzInput& in) : m_in(in) {}
    long openKey(quint32, const QByteArray&, quint32, Key* key) override
    {
        *key = 1;
        return m_in.byte() % 4 == 0 ? ui::reg::ERROR_FILE_NOT_FOUND : ui::reg::ERROR_SUCCESS;
    }
    long queryValue(Key, const QByteArray&, quint32* type, char* data, quint32* size) override
    {
        const uint8_t result = m_in.byte();
        *type = m_in.byte() % 6;
        const QByteArray bytes = m_in.rest();
        std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), *size), data);
        // Mostly the true length; now and then a length the buffer cannot hold.
        const quint32 claimed = quint32(bytes.size()) + (result & 0x80 ? 4096u : 0u);
        *size = claimed;
        return result % 8 == 0 ? ui::reg::ERROR_MORE_DATA : ui::reg::ERROR_SUCCESS;
    }
    void closeKey(Key) override {}

private:
    FuzzInput& m_in;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    AnyRegistry registry(in);
    QString value;
    try {
        const bool read = sysinfo::GetKeyValue(registry, ui::reg::HKEY_LOCAL_MACHINE,
                                               QStringLiteral("SOFTWARE\\Key"),
                                               QStringLiteral("Value"), value);
        FUZZ_CHECK(read || value.isEmpty());
        FUZZ_CHECK(value.size() <= qsizetype(2 * sysinfo::kBufferSize + 2));
    } catch (const sysinfo::EmptyValueError&) {
    }
    return 0;
}
