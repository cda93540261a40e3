#include "model/CVX50TextDoc.h"
#include "model/PasswordLevels.h"
#include "model/projectfile/ProjectSections.h"
#include "model/projectfile/SectionAddress.h"

#include <algorithm>
#include <cstdio>

void WritePasswordSection(ByteWriter& out, const CVX50TextDoc& doc)
{
    out.U8(static_cast<std::uint8_t>(doc.PasswordTable.size()));
    for (const PasswordEntry& row : doc.PasswordTable) {
        out.U8(static_cast<std::uint8_t>(row.Slot));
        out.U8(static_cast<std::uint8_t>(row.Level));
        out.U16Le(static_cast<std::uint16_t>(SectionNumber(row.Password)));
    }
}

void ReadPasswordSection(ByteReader& in, CVX50TextDoc& doc)
{
    const int count = in.U8();
    doc.PasswordTable.clear();
    for (int i = 0; i < count; ++i) {
        PasswordEntry row;
        row.Slot = in.U8();
        row.Level = in.U8();
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(in.U16Le()));
        row.Password = digits;
        // Levels run from 1 (low) to 3 (high); a damaged row names no other.
        doc.HighestPasswordLevel = std::max(doc.HighestPasswordLevel, std::clamp(row.Level, 0, 3));
        doc.PasswordTable.push_back(std::move(row));
    }
    ApplyPasswordLevelCount(doc);
}
