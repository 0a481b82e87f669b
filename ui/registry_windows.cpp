#include "ui/registry.h"

#include <windows.h>

namespace ui {

namespace {

// Root keys are small negative numbers widened to pointer size; the value must be
// sign-extended on 64-bit systems, as the system's own HKEY_* definitions are.
HKEY rootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(
        static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

class WindowsRegistry final : public Registry {
public:
    long openKey(
        std::uint32_t root, const std::string& path, std::uint32_t access, Key* key) override
    {
        HKEY opened = nullptr;
        const LONG rc = RegOpenKeyExA(rootKey(root), path.c_str(), 0, REGSAM(access), &opened);
        if (rc == ERROR_SUCCESS)
            *key = reinterpret_cast<Key>(opened);
        return rc;
    }

    long queryValue(Key key, const std::string& name, std::uint32_t* type, char* data,
        std::uint32_t* size) override
    {
        DWORD valueType = 0;
        DWORD bytes = *size;
        const LONG rc = RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr,
            &valueType, reinterpret_cast<LPBYTE>(data), &bytes);
        if (rc == ERROR_SUCCESS) {
            *type = valueType;
            *size = bytes;
        }
        return rc;
    }

    void closeKey(Key key) override { RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

} // namespace

std::unique_ptr<Registry> systemRegistry() { return std::make_unique<WindowsRegistry>(); }

} // namespace ui
