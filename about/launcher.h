#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace ui {
class Registry;
}

// Finding the system information tool through the registry and starting it, in standard C++
// only: the same code runs in the Qt program and, cross-compiled, under Windows itself.
// Texts are bytes in the system's ANSI code page.
namespace sysinfo {

inline constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kToolValue = "PATH";
inline constexpr const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kFolderValue = "MSINFO";
inline constexpr std::uint32_t kBufferSize = 1024;

// A value that was read but holds no bytes at all: there is nothing to take the text from.
class EmptyValueError : public std::invalid_argument {
public:
    EmptyValueError() : std::invalid_argument("Invalid procedure call or argument") { }
};

// Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` into `KeyVal`. True when
// the key opened and the value was read; on false `KeyVal` is empty. Text values lose one
// terminating zero byte if they have one; numbers become "&h" and their bytes in hex, most
// significant first; values of other types leave `KeyVal` as it was.
// Throws EmptyValueError for a value of zero bytes.
bool GetKeyValue(ui::Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
    const std::string& SubKeyRef, std::string& KeyVal);

// What the search needs from the system besides the registry.
struct Tools {
    ui::Registry& registry;
    std::function<bool(const std::string& path)> isOrdinaryFile;
    std::function<bool(const std::string& path)> start; // false when it would not start
    std::function<void(const std::string& text, const std::string& title)> tell; // modal
    // Where the system keeps its tool elsewhere than in the registry: starts it, false when
    // there is none. May be left empty.
    std::function<bool()> startOwnTool;
};

// Starts the tool named by the first lookup, or the one in the folder named by the second,
// or else the system's own tool. True when a tool was started; otherwise the user has been
// told, once, and it is false.
bool StartSysInfo(const Tools& tools);

} // namespace sysinfo
