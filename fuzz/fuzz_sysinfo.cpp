// The registry value rules of the system information launcher, against a registry that
// answers anything at all: any result, type, length and bytes.
#include "about/sysinfo.h"
#include "fuzz/harness.h"
#include "ui/registry.h"

struct AnyRegistry final : ui::Registry {
    FuzzInput& in;
    explicit AnyRegistry(FuzzInput& input) : in(input) {}
    long openKey(std::uint32_t, const std::string&, std::uint32_t, Key* key) override
    {
        *key = 1;
        return in.byte() % 4 == 0 ? ui::reg::kFileNotFound : ui::reg::kSuccess;
    }
    long queryValue(Key, const std::string&, std::uint32_t* type, char* out,
                    std::uint32_t* size) override
    {
        const uint8_t result = in.byte();
        *type = in.byte() % 6;
        const QByteArray bytes = in.rest();
        std::memcpy(out, bytes.data(), std::min<size_t>(bytes.size(), *size));
        // Mostly the true length; now and then a length the buffer cannot hold.
        *size = std::uint32_t(bytes.size()) + (result & 0x80 ? 4096u : 0u);
        return result % 8 == 0 ? ui::reg::kMoreData : ui::reg::kSuccess;
    }
    void closeKey(Key) override {}
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    AnyRegistry registry(in);
    QString value;
    try {
        const bool read = sysinfo::GetKeyValue(registry, ui::reg::kLocalMachine,
                                               "SOFTWARE\\Key", "Value", value);
        FUZZ_CHECK((read || value.isEmpty()) && value.size() <= 2 * sysinfo::kBufferSize + 2);
    } catch (const sysinfo::EmptyValueError&) {
    }
    return 0;
}
