#include "about/launcher.h"

#include "ui/registry.h"
#include "version.h"

#include <vector>

namespace sysinfo {

bool GetKeyValue(ui::Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
    const std::string& SubKeyRef, std::string& KeyVal)
{
    ui::Registry::Key key = 0;
    std::vector<char> buffer(kBufferSize, '\0');
    std::uint32_t type = 0;
    std::uint32_t size = kBufferSize;
    // Reading needs no more than read access, which ordinary users hold. The key is closed
    // once read, before anything can go wrong with what it held.
    bool read = registry.openKey(KeyRoot, KeyName, ui::reg::kReadAccess, &key) == ui::reg::kSuccess;
    if (read) {
        read = registry.queryValue(key, SubKeyRef, &type, buffer.data(), &size) == ui::reg::kSuccess
            && size <= kBufferSize;
        registry.closeKey(key);
    }
    if (!read) {
        KeyVal.clear();
        return false;
    }

    if (size == 0)
        throw EmptyValueError();
    // Text is usually stored with its terminating zero, but not always.
    const std::size_t kept = buffer[size - 1] == '\0' ? size - 1 : size;

    if (type == ui::reg::kText) {
        KeyVal.assign(buffer.data(), kept);
    } else if (type == ui::reg::kNumber) {
        // Nothing here reads a number, so the hexadecimal text stays as built rather than
        // being turned into decimal.
        KeyVal = "&h";
        for (std::size_t i = kept; i-- > 0;) {
            const auto byte = static_cast<unsigned char>(buffer[i]);
            KeyVal += {"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 0x0F]};
        }
    }
    return true;
}

bool StartSysInfo(const Tools& tools)
{
    std::string SysInfoPath;
    bool started = false;
    try {
        if (GetKeyValue(
                tools.registry, ui::reg::kLocalMachine, kToolKey, kToolValue, SysInfoPath)) {
            // The path is used as read: a missing program shows when it will not start.
            started = tools.start(SysInfoPath);
        } else if (GetKeyValue(tools.registry, ui::reg::kLocalMachine, kFolderKey, kFolderValue,
                       SysInfoPath)) {
            SysInfoPath += "\\MSINFO32.EXE";
            started = tools.isOrdinaryFile(SysInfoPath) && tools.start(SysInfoPath);
        }
    } catch (...) {
        // Whatever went wrong, the user hears the same thing.
    }
    if (!started && tools.startOwnTool)
        started = tools.startOwnTool();
    if (!started)
        tools.tell(kUnavailable, ui::kAppTitle);
    return started;
}

} // namespace sysinfo
