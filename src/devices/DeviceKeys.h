#pragma once

#include <optional>
#include <string>
#include <string_view>

// The four device settings that the address-table file carries as keyed
// lines ("DLLNAME:", "CANEDIT:", "COMMBUFFLTH:", "HIGHFRONT:").
struct DeviceKeys {
    std::string dllName;     // protocol library file name, looked up in "Protocol/"
    int canEdit = 0;         // 1: user-defined device, its table editable and embedded in projects
    int commBuffLength = 30; // the device's largest communication buffer in bytes
    int highFront = 0;       // 1: the high 16 bits of a 32-bit value come first
};

// The communication buffer lengths a device may have, in bytes. A length
// read from a file is kept within them: the poll plan's arithmetic on it must
// not overflow.
constexpr int kMinCommBuffLength = 8;
constexpr int kMaxCommBuffLength = 65535;

// The devices that come with the program, compared exactly. Their tables are
// not embedded in project files and their files are written with CANEDIT 0.
bool IsBuiltInDeviceName(std::string_view gbkName);

// The built-in names for which device selection forces CANEDIT to 0. It is
// not IsBuiltInDeviceName's list: it holds "DB2500" and "SRVA002" where that
// one holds "DB2200" and "SRVA001"; each keeps its own.
bool IsSelectionBuiltInDeviceName(std::string_view gbkName);

// Where a number key's value ends. The project reader takes the leading
// digits after the key; device selection takes the text up to the first ";"
// after it, so a line without ";" reads 0.
enum class KeyNumberEnd { LeadingDigits, Semicolon };

// Key reading. Applies every key line of the file's bytes to `keys`, wherever
// it stands (also after "[ADDRESS]"; a later line wins); a key the file lacks
// keeps its value. Keys are compared exactly, after the line's leading
// blanks. A buffer length outside kMinCommBuffLength to kMaxCommBuffLength
// is taken as the nearer bound. Returns whether a "DLLNAME:" line gave a non-empty name; when it
// did not the caller refuses the file with message IdsNoDeviceOrBadTable.
bool ReadDeviceKeys(std::string_view fileBytes, DeviceKeys& keys, KeyNumberEnd end = KeyNumberEnd::LeadingDigits);

// The same over the file at `path` (UTF-8). Nothing when the file cannot be
// read; `keys` is then untouched and the caller applies its own defaults.
std::optional<bool> ReadDeviceKeysFile(const std::string& path, DeviceKeys& keys);
