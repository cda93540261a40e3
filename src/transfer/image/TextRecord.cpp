#include "base/ByteWriter.h"
#include "devices/AddressFileText.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CTextElement.h"
#include "transfer/PollPositions.h"
#include "transfer/image/ElementRecordWriters.h"
#include "transfer/image/ImageLayout.h"
#include "StringIds.h"

#include <vector>

namespace {

constexpr int kMostStaticTextCharacters = 255;

// Entry values as the panel compares them: 16-bit numbers ("1" and "01" are
// one value).
std::uint16_t EntryValue(const DynTextEntry& entry)
{
    return static_cast<std::uint16_t>(LeadingDecimal(entry.value));
}

std::vector<DynTextEntry> EntriesWithValues(const CTextElement& text)
{
    std::vector<DynTextEntry> kept;
    for (const DynTextEntry& entry : text.Entries())
        if (!entry.value.empty())
            kept.push_back(entry);
    return kept;
}

bool HasDuplicateValue(const std::vector<DynTextEntry>& entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        for (std::size_t j = i + 1; j < entries.size(); ++j)
            if (EntryValue(entries[i]) == EntryValue(entries[j]))
                return true;
    return false;
}

void AppendStaticText(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CTextElement& text)
{
    const ElementPlace place = context.Place(elementIndex, TextPage);
    const CodedText coded = context.failures.Code(context.coder, text.GetText(), &place);
    // The record counts the characters in one byte but carries every coded
    // byte: a longer text would make the panel misread the records after it.
    if (coded.characters > kMostStaticTextCharacters)
        context.failures.StopAt(IdsStaticTextTooLong, place, ShowElement::AfterMessage);
    out.U8(StaticTextRecord);
    out.U8(static_cast<std::uint8_t>(text.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(text.GetPosition().y));
    out.U8(static_cast<std::uint8_t>((text.IsInverse() ? 2 : 0) + (text.GetDoubleSize() ? 1 : 0)));
    out.U8(static_cast<std::uint8_t>(coded.characters));
    out.Bytes(coded.bytes);
}

void AppendDynamicText(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CTextElement& text)
{
    const ElementPlace place = context.Place(elementIndex, TextPage);
    const bool wordBound = text.WordSize == 16;
    const std::vector<DynTextEntry> entries = EntriesWithValues(text);
    if (context.UseLibrary() && wordBound && HasDuplicateValue(entries))
        context.failures.StopAt(IdsDynTextValuesRepeat, place, ShowElement::AfterMessage);

    // Byte 3 names the value (its screen-memory word, or the address text
    // without the library); byte 5 is the entry count of a word-bound text
    // and the bit index of a bit-bound one.
    int word = 0;
    int bitIndex = 0;
    if (!context.UseLibrary()) {
        word = AddressTextByte(text.AddressText);
        bitIndex = FindElementBit(context.doc.AddressTable, text.GroupName, text.ElementName);
    } else if (wordBound ? !FindWordPollPosition(context.screenIndex, elementIndex, word, context.polls.words)
                         : !FindBitPlace(context, elementIndex, text.GroupName, word, bitIndex)) {
        context.failures.StopAt(IdsRamAddressFailed, place, ShowElement::BeforeMessage);
    }

    out.U8(DynamicTextRecord);
    out.U8(static_cast<std::uint8_t>(text.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(text.GetPosition().y));
    out.U8(static_cast<std::uint8_t>(word));
    out.U8(static_cast<std::uint8_t>((text.GetDoubleSize() ? 0x01 : 0) | (text.IsInverse() ? 0x02 : 0)
        | (wordBound ? 0 : 0x04) | NumberFormatCode(text.IsHexBcd(), text.IsSigned()) << 6));
    if (wordBound) {
        out.U8(static_cast<std::uint8_t>(entries.size()));
        for (const DynTextEntry& entry : entries) {
            out.U16Le(EntryValue(entry));
            AppendCodedText(out, context.failures.Code(context.coder, entry.text, &place));
        }
        return;
    }
    // A bit-bound text shows the first two entries for bit states 0 and 1;
    // a missing entry shows nothing.
    out.U8(static_cast<std::uint8_t>(bitIndex));
    for (std::size_t state = 0; state < 2; ++state)
        AppendCodedText(out, context.failures.Code(context.coder,
            state < entries.size() ? std::string_view(entries[state].text) : std::string_view(), &place));
}

} // namespace

void AppendTextRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CTextElement& text)
{
    if (text.IsDynamic())
        AppendDynamicText(out, context, elementIndex, text);
    else
        AppendStaticText(out, context, elementIndex, text);
}
