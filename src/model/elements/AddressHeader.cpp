#include "model/elements/AddressHeader.h"

#include "devices/AddressLookup.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "devices/AddressFileText.h"

void WriteAddressHeader(ByteWriter& out, const CVX50TextDoc& doc, const std::string& groupName,
    const std::string& elementName, const std::string& addressText, int rawLowAddress, PlainGroup plainGroup)
{
    if (doc.UseProtocolLibrary) {
        const AddressCode code = EncodeAddress(doc.AddressTable, groupName, elementName);
        out.U8(code.WordHigh());
        out.U8(code.WordLow());
        out.U8(code.bitCode);
        out.U8(code.groupIndex);
    } else {
        out.U8(static_cast<std::uint8_t>(LeadingDecimal(addressText)));
        out.U8(static_cast<std::uint8_t>(rawLowAddress));
        out.U8(0);
        out.U8(plainGroup == PlainGroup::Kept ? EncodeAddress(doc.AddressTable, groupName, elementName).groupIndex
                                              : 0);
    }
}

StoredAddress ReadAddressHeader(ByteReader& in)
{
    StoredAddress a;
    a.rawHigh = in.U8();
    a.rawLow = in.U8();
    a.bitCode = in.U8();
    a.groupIndex = in.U8();
    a.wordAddress = a.rawHigh * 256 + a.rawLow;
    return a;
}

void WriteWordAddress(ByteWriter& out, const CVX50TextDoc& doc, const std::string& groupName,
    const std::string& elementName, const std::string& addressText)
{
    AddressCode code;
    if (doc.UseProtocolLibrary) {
        code = EncodeAddress(doc.AddressTable, groupName, elementName);
    } else {
        code.wordAddress = LeadingDecimal(addressText);
        code.groupIndex = 0;
    }
    out.U8(code.WordHigh());
    out.U8(code.WordLow());
    out.U8(code.groupIndex);
}

StoredWordAddress ReadWordAddress(ByteReader& in)
{
    StoredWordAddress a;
    a.wordAddress = in.U16Be();
    a.groupIndex = in.U8();
    return a;
}
