#pragma once

#include <string>

class ByteReader;
class ByteWriter;
class CVX50TextDoc;

// The 4-byte address part of the function-key and lamp records.
// With the protocol library in use it is the address code of the names
// (word address high and low byte, bit code, group index); otherwise the low
// byte of the number in the address text, the raw low address byte, a zero
// byte and, for a record that keeps its group (a key's panel record names
// it), the index of the names' group (0xFF for none), else 0.
enum class PlainGroup { Dropped, Kept };
void WriteAddressHeader(ByteWriter& out, const CVX50TextDoc& doc, const std::string& groupName,
    const std::string& elementName, const std::string& addressText, int rawLowAddress,
    PlainGroup plainGroup = PlainGroup::Dropped);

// The four bytes as read: word address (high * 256 + low), bit code and
// group index, and the two raw bytes.
struct StoredAddress {
    int wordAddress = 0;
    int bitCode = 0;
    int groupIndex = 0;
    int rawHigh = 0;
    int rawLow = 0;
};
StoredAddress ReadAddressHeader(ByteReader& in);

// The 3-byte address part of the register and graph records: word address
// (high byte, low byte) and group index. With the protocol library in use it
// is the address code of the names; otherwise the number in the address text
// and group 0.
void WriteWordAddress(ByteWriter& out, const CVX50TextDoc& doc, const std::string& groupName,
    const std::string& elementName, const std::string& addressText);
struct StoredWordAddress {
    int wordAddress = 0;
    int groupIndex = 0;
};
StoredWordAddress ReadWordAddress(ByteReader& in);
