#include "ui/registry.h"

namespace ui {

namespace {

// Systems without a registry: no key exists, so every lookup fails as a missing key would.
class NoRegistry final : public Registry {
public:
    long openKey(quint32, const QByteArray&, quint32, Key*) override
    {
        return reg::ERROR_FILE_NOT_FOUND;
    }
    long queryValue(Key, const QByteArray&, quint32*, char*, quint32*) override
    {
        return reg::ERROR_FILE_NOT_FOUND;
    }
    void closeKey(Key) override {}
};

} // namespace

std::unique_ptr<Registry> systemRegistry() { return std::make_unique<NoRegistry>(); }

} // namespace ui
