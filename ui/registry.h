#pragma once
#include <QByteArray>
#include <QtGlobal>

#include <memory>

// The system registry, as the three calls the launcher needs. Result codes are the
// system's: 0 is success, anything else a failure.
namespace ui {

namespace reg {
inline constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr quint32 KEY_READ = 0x20019u;
inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_EXPAND_SZ = 2;
inline constexpr quint32 REG_BINARY = 3;
inline constexpr quint32 REG_DWORD = 4;
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_MORE_DATA = 234;
} // namespace reg

class Registry {
public:
    using Key = quintptr;
    virtual ~Registry() = default;
    // Opens `path` (in the system's ANSI code page) below the root key `root`.
    virtual long openKey(quint32 root, const QByteArray& path, quint32 access, Key* key) = 0;
    // Reads the value `name` into `data`, whose room is *size bytes on entry; on success
    // *size is the number of bytes stored. A value longer than the room is a failure.
    virtual long queryValue(Key key, const QByteArray& name, quint32* type, char* data,
                            quint32* size) = 0;
    virtual void closeKey(Key key) = 0;
};

// The machine's registry on Windows; elsewhere a registry that holds no keys at all,
// which is the truth on systems that have none.
std::unique_ptr<Registry> systemRegistry();

} // namespace ui
