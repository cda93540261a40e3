#include "model/SectionAddress.h"

#include "model/AddressLookup.h"

#include <charconv>

void WriteSectionWord(ByteWriter& out, const AddressTable& table, std::string_view group, std::string_view element)
{
    // An absent element (-1) keeps the bytes 0xFF, 0x00 that the panel tools
    // have always stored for it.
    const int word = FindElementAddress(table, group, element);
    out.U8(static_cast<std::uint8_t>(word % 256));
    out.U8(static_cast<std::uint8_t>(word / 256));
}

std::uint8_t SectionGroupIndex(const AddressTable& table, std::string_view group)
{
    const int index = FindElementGroupIndex(table, group);
    return static_cast<std::uint8_t>(index < 0 ? 0xFF : index);
}

std::uint8_t SectionBitCode(const AddressTable& table, std::string_view group, std::string_view element)
{
    const int bit = FindElementBit(table, group, element);
    return static_cast<std::uint8_t>(IsWordBitMode(GetElementGroupMode(table, group)) ? bit + 0x80 : bit);
}

int SectionNumber(std::string_view text)
{
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}
