#pragma once
#include <cstdint>
#include <memory>
#include <string>

// The system registry, as the three calls the launcher needs. Standard C++ only, so that the
// launcher builds for Windows without Qt. Result codes are the system's: 0 is success,
// anything else a failure. The names differ from <windows.h>'s macros on purpose, so that
// both can be included together.
namespace ui {

namespace reg {
inline constexpr std::uint32_t kLocalMachine = 0x80000002u;
// Read-only access (0x20019): ordinary users hold it, and reading is all the launcher does; in
// the 64-bit view (0x0100), where the tool registers itself and a 32-bit build would not look.
inline constexpr std::uint32_t kReadAccess = 0x20019u | 0x0100u;
inline constexpr std::uint32_t kText = 1;
inline constexpr std::uint32_t kNumber = 4;
inline constexpr long kSuccess = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kMoreData = 234;
} // namespace reg

class Registry {
public:
    using Key = std::uintptr_t;
    virtual ~Registry() = default;
    // Opens `path` (in the system's ANSI code page) below the root key `root`.
    virtual long openKey(
        std::uint32_t root, const std::string& path, std::uint32_t access, Key* key)
        = 0;
    // Reads the value `name` into `data`, whose room is *size bytes on entry; on success
    // *size is the number of bytes stored. A value longer than the room is a failure.
    virtual long queryValue(
        Key key, const std::string& name, std::uint32_t* type, char* data, std::uint32_t* size)
        = 0;
    virtual void closeKey(Key key) = 0;
};

// The machine's registry on Windows; elsewhere a registry that holds no keys at all,
// which is the truth on systems that have none.
std::unique_ptr<Registry> systemRegistry();

} // namespace ui
