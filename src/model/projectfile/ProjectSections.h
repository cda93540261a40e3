#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

class CVX50TextDoc;

// The six project-wide sections that follow the screens in the project file,
// in file order. Writers store device addresses as address codes looked up in
// the document's address table; readers turn the codes back into names,
// adding to the table what it lacks (the document's TableMissing,
// TableExtended and Register32Interval steer that), and take the file's
// version from the document's ReadingVersion. Readers throw FormatError when
// the bytes end early.

void WriteAlarmSection(ByteWriter& out, const CVX50TextDoc& doc);
void ReadAlarmSection(ByteReader& in, CVX50TextDoc& doc);

void WriteGlobalButtonSection(ByteWriter& out, const CVX50TextDoc& doc);
void ReadGlobalButtonSection(ByteReader& in, CVX50TextDoc& doc);

// Reading ends with ApplyPasswordLevelCount.
void WritePasswordSection(ByteWriter& out, const CVX50TextDoc& doc);
void ReadPasswordSection(ByteReader& in, CVX50TextDoc& doc);

// The 30-byte settings record: ports, panel settings and the edited screen.
// From version 4 on the reader also takes the copy-register count that
// follows the record and hands it back; before, it returns 0.
void WriteSettingsSection(ByteWriter& out, const CVX50TextDoc& doc);
int ReadSettingsSection(ByteReader& in, CVX50TextDoc& doc);

// The copy-register groups; the writer writes the count, the reader is given
// the count that the settings reader took.
void WriteCopyRegisterSection(ByteWriter& out, const CVX50TextDoc& doc);
void ReadCopyRegisterSection(ByteReader& in, CVX50TextDoc& doc, int groupCount);

// Communication time and time-out (version 5 on), 13 bytes.
void WriteTrailerSection(ByteWriter& out, const CVX50TextDoc& doc);
void ReadTrailerSection(ByteReader& in, CVX50TextDoc& doc);

// All six sections in file order.
void WriteProjectWideSections(ByteWriter& out, const CVX50TextDoc& doc);
