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
    long openKey(std::uint32_t, const std::string&, std::uint32_t, Key* key) override
    {
        *key = 1;
        return m_in.byte() % 4 == 0 ? ui::reg::kFileNotFound : ui::reg::kSuccess;
    }
    long queryValue(Key, const std::string&, std::uint32_t* type, char* data,
                    std::uint32_t* size) override
    {
        const uint8_t result = m_in.byte();
        *type = m_in.byte() % 6;
        const QByteArray bytes = m_in.rest();
        std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), qsizetype(*size)), data);
        // Mostly the true length; now and then a length the buffer cannot hold.
        const std::uint32_t claimed = std::uint32_t(bytes.size()) + (result & 0x80 ? 4096u : 0u);
        *size = claimed;
        return result % 8 == 0 ? ui::reg::kMoreData : ui::reg::kSuccess;
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
        const bool read = sysinfo::GetKeyValue(registry, ui::reg::kLocalMachine,
                                               QStringLiteral("SOFTWARE\\Key"),
                                               QStringLiteral("Value"), value);
        FUZZ_CHECK(read || value.isEmpty());
        FUZZ_CHECK(value.size() <= qsizetype(2 * sysinfo::kBufferSize + 2));
    } catch (const sysinfo::EmptyValueError&) {
    }
    return 0;
}
