#pragma once

#include "devices/DeviceKeys.h"
#include "devices/ElementGroup.h"

#include <cstdint>
#include <string>
#include <string_view>

// The address-table file of a device, "Device/" + device name +
// "Communication.add" in the program folder (DeviceTablePath): GBK text,
// every line ended by CR LF:
//
//   版本号:1;                      (GBK; no reader interprets it)
//   DLLNAME:<protocol library>;
//   CANEDIT:<0|1>;
//   COMMBUFFLTH:<decimal>;
//   HIGHFRONT:<0|1>;
//   [ADDRESS]
//   then per group:
//   LIST:<name>;<type>;<mode>;<interval>;
//   <name>=<word hex>[.<bit hex>];...   a CR LF after entries 100, 200, ... and after the last
//   END:
//
// Hexadecimal is lower case without leading zeros; only bit groups (type
// below 8) of mode 0 or 2 write the bit part. A group with no elements, or
// with 101, 201, ... elements, therefore has an empty line before "END:".
// The format has no escapes.
//
// Wiring into the document (CVX50TextDoc):
//
//   BOOL ReadAddressTable(path)  ==  return ReadAddressTableFile(path, <the document's address table>);
//     Changes only the document's address table; the messages are shown here.
//     - file does not open: message IdsDllOpenFailed, FALSE, table unchanged;
//     - file larger than kMaxTableFileBytes: the path with IdsFileTooLarge,
//       FALSE, table unchanged;
//     - no "[ADDRESS]" line: message IdsNoDeviceOrBadTable, FALSE, table empty;
//     - a malformed line in the table part (see ParseAddressTable): message
//       IdsNoDeviceOrBadTable, FALSE, the table holds the groups completed
//       before that line;
//     - more than kMaxAddressGroups groups: message IdsTooManyAddressGroups
//       with the file's path, FALSE;
//     - otherwise TRUE with the file's groups.
//     The keys are NOT read here: callers read them first with
//     ReadDeviceKeysFile (project reader, device dialog) and apply their own
//     defaults when the file does not open. The project reader shows
//     IdsNoDeviceOrBadTable itself as well when this returns FALSE and
//     abandons the load.
//
//   BOOL WriteAddressTable(path) == return WriteAddressTableFile(path, {DLLNAME, CANEDIT, COMMBUFFLTH,
//                                        HIGHFRONT of the document}, <device name>, <address table>);
//     Changes no member of the document. The CANEDIT written is 0 for a
//     built-in device name (IsBuiltInDeviceName of the document's device
//     name) and 1 otherwise, whatever the document's CANEDIT holds; the
//     device name in the path plays no part. On failure message
//     IdsNoDeviceOrBadTable is shown here and FALSE returned; callers add
//     their own message (IdsSaveAddressTableFailed).
//
//   At the end of a project load whose table was extended, the project
//   reader first sets the document's CANEDIT to IsBuiltInDeviceName(name) ? 0 : 1,
//   then writes the table back.

// The largest address-table file that is read. A table holds at most 256
// groups (its index is one byte) of at most 65,535 elements (the editor's
// rows); an entry takes at most 18 bytes (a name of 10 bytes, "=", "ffff.f",
// ";"), so 32 bytes an entry leave room for the line ends, the group lines
// and the keys: 512 MiB.
constexpr std::uint64_t kMaxTableFileBytes = 256ull * 65536 * 32;

// The most groups a table file may hold: stored addresses name their group
// by its index in one byte, and the byte 0xFF stands for no group. The
// editor makes at most 251 groups; the readers' repair stays below 0xFF.
constexpr std::size_t kMaxAddressGroups = 255;

// How the reading of a table part ended.
enum class TableReading { Sound, Damaged, TooManyGroups };

// Reads the table part of a file's bytes into `table`, which is emptied
// first. Sound when the file has an "[ADDRESS]" line, every line of its
// table part is sound and it holds at most kMaxAddressGroups groups (the
// reading stops as TooManyGroups at the group after them). Lines are taken with their leading white space removed
// and read in order:
//  - "[ADDRESS]" starts the table part; lines before it are ignored;
//  - "LIST:" opens (or, inside an unfinished block, renames) a block: name,
//    type, mode and interval, each ended by ";";
//  - outside a block every other line is ignored;
//  - "END:" appends the block's group; blank lines are ignored;
//  - any other line holds entries "name=word[.bit];". Text after a line's
//    last ";" is carried to the front of the next entry line, so an entry
//    split over two lines reads as one. Spaces around names and values are
//    ignored.
// Refused (false, the groups completed so far stay in `table`, the open
// block is dropped): a line longer than 65,534 bytes; a group line with fewer
// than four fields; an entry line without ";"; an entry without "=" or empty;
// a word part that is not hexadecimal or above FFFF (an empty one gives 0); a
// bit part that is not hexadecimal or above 15; text carried over to "LIST:"
// or "END:"; a block still open at the end of the file.
TableReading ReadAddressTableBytes(std::string_view fileBytes, AddressTable& table);
// Whether ReadAddressTableBytes finds the bytes sound.
bool ParseAddressTable(std::string_view fileBytes, AddressTable& table);
// The table part of `fileBytes`, the bytes of the file at `path` (UTF-8),
// read as ReadAddressTableBytes reads it. A reading that is not sound shows
// its message (IdsTooManyAddressGroups naming the file, or
// IdsNoDeviceOrBadTable) and gives false.
bool ReadAddressTableOfFile(std::string_view fileBytes, const std::string& path, AddressTable& table);

// The whole file for `keys` and `table`; CANEDIT is written from the device
// name as described above.
std::string FormatAddressTable(const DeviceKeys& keys, std::string_view deviceName, const AddressTable& table);

// Whether a name can be written in the file and read back the same: no ";"
// in a group name, neither "=" nor ";" in an element name, no line break and
// no surrounding white space in either, and no element name that starts like
// a "LIST:", "END:" or "[ADDRESS]" line.
bool IsWritableGroupName(std::string_view name);
bool IsWritableElementName(std::string_view name);
// Whether every name of the table is writable.
bool IsWritableAddressTable(const AddressTable& table);

// File wrappers that show the messages described above through CurrentUi().
bool ReadAddressTableFile(const std::string& path, AddressTable& table);
// Writes through a temporary file, so a failed write leaves the old file;
// creates the file's folder when it is missing.
// A table that IsWritableAddressTable refuses is not written (message IdsNoDeviceOrBadTable).
bool WriteAddressTableFile(const std::string& path, const DeviceKeys& keys, std::string_view deviceName,
                           const AddressTable& table);
