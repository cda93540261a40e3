#pragma once

#include "transfer/image/ElementRecords.h"

#include <cstdint>
#include <string_view>

class CFuncKeyElement;
class CGraphElement;
class CLampElement;
class CPictureElement;
class CRegisterElement;
class CTextElement;

// One record writer per element kind, each in a file of its own; the
// dispatch is AppendElementRecord.
void AppendLampRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CLampElement& lamp);
void AppendRegisterRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex,
    const CRegisterElement& reg);
void AppendGraphRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CGraphElement& graph);
void AppendTextRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CTextElement& text);
void AppendPictureRecord(ByteWriter& out, const CPictureElement& picture);
void AppendFuncKeyRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex,
    const CFuncKeyElement& key);

// Field helpers shared by the writers.

// Property pages that GoToElement shows.
enum ElementPage : int {
    FuncKeyPage = 0,
    LampPage = 1,
    RegisterPage = 2,
    TextPage = 3,
    GraphPage = 4,
};

// A value is 32 bits unless it is one 16-bit register.
inline bool IsWideValue(int registerCount, int wordSize)
{
    return registerCount != 1 || wordSize != 16;
}

// The two format bits of records: 00 HEX/BCD, 01 unsigned, 11 signed.
std::uint8_t NumberFormatCode(bool hexBcd, bool isSigned);

// Whether `value` lies below `limit`, compared as the element's format reads
// them: HEX/BCD and unsigned values unsigned, signed values signed; a 16-bit
// value by its low 16 bits.
bool IsBelowLimit(int value, int limit, bool isSigned, bool wide);

// A value LE16 (its low 16 bits) or LE32.
void AppendValue(ByteWriter& out, int value, bool wide);

// An element's address text as the one address byte records keep while the
// protocol library is not used.
std::uint8_t AddressTextByte(std::string_view addressText);

// The screen-memory place of a bit-bound element: searched among the coils
// when its group has mode 1, else among the bits inside words.
bool FindBitPlace(const ElementRecordContext& context, int elementIndex, std::string_view groupName, int& word,
    int& bitIndex);
