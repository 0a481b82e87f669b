#pragma once
#include <QString>
#include <QtGlobal>

#include <stdexcept>

class QWidget;

namespace ui {
class Registry;
struct Services;
}

// Finds the system information tool through the registry and starts it.
namespace sysinfo {

inline constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kToolValue = "PATH";
inline constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kFolderValue = "MSINFO";
inline constexpr const char* kProgramFile = "\\MSINFO32.EXE";
inline constexpr quint32 kBufferSize = 1024;

// A value that was read but holds no bytes at all: there is nothing to take the text from.
class EmptyValueError : public std::invalid_argument {
public:
    EmptyValueError() : std::invalid_argument("Invalid procedure call or argument") {}
};

// Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` into `KeyVal`. True when
// the key opened and the value was read; on false `KeyVal` is empty. Text values lose one
// terminating zero byte if they have one; numbers become "&h" and their bytes in hex, most
// significant first; values of other types leave `KeyVal` as it was.
// Throws EmptyValueError for a value of zero bytes.
bool GetKeyValue(ui::Registry& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// Starts the tool named by the first lookup, or the one in the folder named by the second;
// any failure on the way ends in one message box, owned by `owner`.
void StartSysInfo(const ui::Services& services, QWidget* owner);

} // namespace sysinfo
