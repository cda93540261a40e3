#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "devices/ElementGroup.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CVX50TextDoc;

// The project file ("*.opf"): the version field, the display flags byte, the
// body head, the device with its embedded address table (user-defined
// devices), the screens with their elements, and the project-wide sections.
// Numbers are little-endian unless a field says otherwise.

// The version this program writes; files up to it are read.
constexpr int ProjectFileVersion = 11;

// Writes the version field: its length (2) and "11".
void WriteProjectHeader(ByteWriter& out);

// The display flags byte: bit 0 the canvas's display setting; bit 1 set when
// the elements store plain address numbers (a project that goes to the panel
// without the protocol library), so that opening the file reads them as such
// whatever the project open before; bit 7 set when the table's last 32-bit
// group has the 32-bit interval 2. Readers that know no bit 1 ignore it.
constexpr std::uint8_t DisplaySettingFlag = 0x01;
constexpr std::uint8_t PlainAddressesFlag = 0x02;
constexpr std::uint8_t Interval2Flag = 0x80;
std::uint8_t DisplayFlagsByte(bool displaySetting, const AddressTable& table, bool useProtocolLibrary = true);

// Writes everything after the flags byte, after a tidy commit of the working
// list. Refuses (message, false, nothing written) a project that the file
// cannot hold: a screen with more than 255 elements. Steps the progress.
bool WriteProjectBody(ByteWriter& out, CVX50TextDoc& doc);

// Saves the whole project to `path` through a temporary file that replaces
// the old file only when every byte was written. Shows IdsProjectSaved when
// the project was saved and IdsSaveOrOpenFailed when the file could not be
// written; the old file is then left as it was.
bool SaveProjectFile(CVX50TextDoc& doc, const std::string& path, bool displaySetting);

// Reads a whole project file into a copy of `doc` (which holds the fresh
// project of File New) and makes `doc` that copy only once the file was read
// to its end; the embedded table of a user-defined device is then written to
// the device's file (IdsSaveAddressTableFailed when it cannot be, the project
// being open all the same). Returns false after one of its messages:
// IdsSoftwareTooOld (a newer version), IdsNoDeviceOrBadTable (the device's
// address-table file has no protocol or a damaged table) or
// IdsProjectDataError (the file breaks the layout, or names an edited screen
// that it does not hold); the reason is logged (qWarning), and `doc`, the
// device's file and `displaySetting` stay as they were. A cleared display
// setting in the flags byte clears `displaySetting`.
bool ReadProject(CVX50TextDoc& doc, std::string_view bytes, bool& displaySetting);

// ReadProject on the file at `path`. A file that cannot be read, or that
// does not start as a project file, is refused with IdsSaveOrOpenFailed, the
// path and the reason (ProjectOpenFailure.h; logged too); one larger than
// any project file can be with the path and IdsFileTooLarge.
bool OpenProjectFile(CVX50TextDoc& doc, const std::string& path, bool& displaySetting);
