#include "model/CVX50TextDoc.h"
#include "model/projectfile/ProjectSections.h"

void WriteTrailerSection(ByteWriter& out, const CVX50TextDoc& doc)
{
    // The three bytes go out twice: once alone, then again padded with seven
    // zero bytes. Readers take the first three only.
    for (int copy = 0; copy < 2; ++copy) {
        out.U8(static_cast<std::uint8_t>(doc.Panel.CommTime));
        out.U16Be(static_cast<std::uint16_t>(doc.Panel.Timeout));
    }
    out.Fill(7);
}

void ReadTrailerSection(ByteReader& in, CVX50TextDoc& doc)
{
    doc.Panel.CommTime = in.U8();
    doc.Panel.Timeout = in.U16Be();
    // The copy after them is not used, but a file that lacks it is cut short.
    in.Skip(10);
}
