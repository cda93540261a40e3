#include "transfer/image/ElementRecords.h"

#include "base/ByteWriter.h"
#include "devices/AddressFileText.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "transfer/PollPositions.h"
#include "transfer/image/ElementRecordWriters.h"

bool ElementRecordContext::UseLibrary() const
{
    return doc.UseProtocolLibrary == 1;
}

void AppendElementRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex,
    const CScreenElement& element)
{
    switch (element.Kind()) {
    case KindFuncKey:
        AppendFuncKeyRecord(out, context, elementIndex, static_cast<const CFuncKeyElement&>(element));
        break;
    case KindLamp:
        AppendLampRecord(out, context, elementIndex, static_cast<const CLampElement&>(element));
        break;
    case KindRegister:
        AppendRegisterRecord(out, context, elementIndex, static_cast<const CRegisterElement&>(element));
        break;
    case KindText:
        AppendTextRecord(out, context, elementIndex, static_cast<const CTextElement&>(element));
        break;
    case KindGraph:
        AppendGraphRecord(out, context, elementIndex, static_cast<const CGraphElement&>(element));
        break;
    case KindPicture:
        AppendPictureRecord(out, static_cast<const CPictureElement&>(element));
        break;
    }
}

std::uint8_t NumberFormatCode(bool hexBcd, bool isSigned)
{
    if (hexBcd)
        return 0;
    return isSigned ? 3 : 1;
}

bool IsBelowLimit(int value, int limit, bool isSigned, bool wide)
{
    if (!wide) {
        if (isSigned)
            return static_cast<std::int16_t>(value) < static_cast<std::int16_t>(limit);
        return static_cast<std::uint16_t>(value) < static_cast<std::uint16_t>(limit);
    }
    if (isSigned)
        return value < limit;
    return static_cast<std::uint32_t>(value) < static_cast<std::uint32_t>(limit);
}

void AppendValue(ByteWriter& out, int value, bool wide)
{
    if (wide)
        out.U32Le(static_cast<std::uint32_t>(value));
    else
        out.U16Le(static_cast<std::uint16_t>(value));
}

std::uint8_t AddressTextByte(std::string_view addressText)
{
    return static_cast<std::uint8_t>(LeadingDecimal(addressText));
}

bool FindBitPlace(const ElementRecordContext& context, int elementIndex, std::string_view groupName, int& word,
    int& bitIndex)
{
    const bool coil = GetElementGroupMode(context.doc.AddressTable, groupName) == CoilOrMultiWriteMode;
    return FindBitPollPosition(context.screenIndex, elementIndex, word, bitIndex,
        coil ? context.polls.coils : context.polls.wordBits);
}
