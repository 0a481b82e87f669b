#include "ui/registry.h"

namespace ui {

namespace {

// Systems without a registry: no key exists, so every lookup fails as a missing key would.
class NoRegistry final : public Registry {
public:
    long openKey(std::uint32_t, const std::string&, std::uint32_t, Key*) override
    {
        return reg::kFileNotFound;
    }
    long queryValue(Key, const std::string&, std::uint32_t*, char*, std::uint32_t*) override
    {
        return reg::kFileNotFound;
    }
    void closeKey(Key) override { }
};

} // namespace

std::unique_ptr<Registry> systemRegistry() { return std::make_unique<NoRegistry>(); }

} // namespace ui
