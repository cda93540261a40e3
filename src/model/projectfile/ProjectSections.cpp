#include "model/projectfile/ProjectSections.h"

void WriteProjectWideSections(ByteWriter& out, const CVX50TextDoc& doc)
{
    WriteAlarmSection(out, doc);
    WriteGlobalButtonSection(out, doc);
    WritePasswordSection(out, doc);
    WriteSettingsSection(out, doc);
    WriteCopyRegisterSection(out, doc);
    WriteTrailerSection(out, doc);
}
