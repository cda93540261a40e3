#include "model/elements/CTextElement.h"

#include "devices/AddressFileText.h"
#include "devices/AddressLookup.h"
#include "model/AddressRepair.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "base/CheckedIndex.h"
#include "model/elements/DisplaySize.h"
#include "devices/ElementTypeText.h"
#include "base/FormatError.h"
#include "base/ShortText.h"

#include <algorithm>

namespace {

// Format byte of the dynamic record (the static record uses the first two).
constexpr std::uint8_t kRecordDoubleSize = 0x01;
constexpr std::uint8_t kRecordInverse = 0x02;
constexpr std::uint8_t kRecordHexBcd = 0x04;
constexpr std::uint8_t kRecordSigned = 0x08;

// Largest static text whose record, up to the element number, fits the
// 65535 bytes the record has always been limited to.
constexpr std::size_t kMaxStaticTextBytes = 65535 - 9;
// The entry count is one byte.
constexpr std::size_t kMaxSavedEntries = 255;

std::uint8_t Bit(bool on, std::uint8_t bit)
{
    return on ? bit : 0;
}

// Dynamic texts name every word "16位字元件".
const PackedText& TextTypeText(int wordSize)
{
    return SharedElementTypeText(wordSize == 0 ? 0 : 16);
}

}  // namespace

CTextElement::CTextElement(int dynamic)
{
    SetDynamic(dynamic);
}

void CTextElement::SetFlag(std::uint8_t flag, int on)
{
    m_flags = static_cast<std::uint8_t>(on ? (m_flags | flag) : (m_flags & ~flag));
}

void CTextElement::SetHexBcd(int on)
{
    SetFlag(kDecimalFlag, !on);
    SetFlag(kSignedFlag, 0);
}

void CTextElement::SetInverse(int on)
{
    SetFlag(kInverseFlag, on);
    SetInverseColours(on);
}

void CTextElement::AddState(const std::string& text, const std::string& value)
{
    m_entries.push_back({text, value});
}

void CTextElement::SetState(int index, const std::string& text, const std::string& value)
{
    CheckedAt(m_entries, index) = {text, value};
}

DynTextEntry CTextElement::GetState(int index) const
{
    if (index < 0 || index >= GetEntryCount())
        return {"", "0"};
    return m_entries[static_cast<std::size_t>(index)];
}

std::string CTextElement::GetStateText(int index) const
{
    return CheckedAt(m_entries, index).text;
}

std::string CTextElement::GetStateValue(int index) const
{
    return CheckedAt(m_entries, index).value;
}

void CTextElement::SelectStateByValue(int value)
{
    m_live.shownEntry = FindEntryForValue(m_entries, value);
}

std::shared_ptr<CScreenElement> CTextElement::Clone() const
{
    auto copy = UnselectedCopy(*this);
    copy->AddressText = kNewAddressText;
    return copy;
}

void CTextElement::WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const
{
    out.U8(IsDynamic() ? 1 : 0);
    WriteRecordBox(out);
    if (IsDynamic())
        WriteDynamicRecord(out, doc);
    else
        WriteStaticRecord(out);
    out.U16Le(Number);
}

void CTextElement::WriteStaticRecord(ByteWriter& out) const
{
    out.U8(Bit(m_doubleSize, kRecordDoubleSize) | Bit(IsInverse(), kRecordInverse));
    const std::string_view text = GbkPrefix(m_staticText, kMaxStaticTextBytes);
    out.U16Be(static_cast<std::uint16_t>(text.size()));
    out.Bytes(text);
    out.U8(0);
}

void CTextElement::WriteDynamicRecord(ByteWriter& out, const CVX50TextDoc& doc) const
{
    // Bits of word.bit groups (mode 0 or 2) store their bit as bit + 128, so
    // that reading binds the text to the same element again.
    const AddressCode code = EncodeAddress(doc.AddressTable, GroupName, ElementName);
    out.U8(static_cast<std::uint8_t>(GetStation()));
    out.U8(static_cast<std::uint8_t>(WordSize));
    if (doc.UseProtocolLibrary) {
        out.U8(code.WordHigh());
        out.U8(code.WordLow());
        out.U8(code.groupIndex);
    } else {
        out.U8(static_cast<std::uint8_t>(LeadingDecimal(AddressText)));
        out.U8(0);
        out.U8(0);
    }
    out.U8(Bit(IsSigned(), kRecordSigned) | Bit(IsHexBcd(), kRecordHexBcd) | Bit(IsInverse(), kRecordInverse)
           | Bit(m_doubleSize, kRecordDoubleSize));
    std::vector<const DynTextEntry*> saved;
    for (const DynTextEntry& entry : m_entries) {
        if (!entry.value.empty() && saved.size() < kMaxSavedEntries)
            saved.push_back(&entry);
    }
    out.U8(static_cast<std::uint8_t>(saved.size()));
    out.U8(code.bitCode);
    for (const DynTextEntry* entry : saved) {
        out.U16Be(static_cast<std::uint16_t>(LeadingDecimal(entry->value)));
        WriteShortText(out, GbkPrefix(entry->text, DynTextEntry::kMaxTextBytes));
        out.U8(0);
    }
}

void CTextElement::ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex)
{
    ReadRecordBox(in);
    if (IsDynamic())
        ReadDynamicRecord(in, doc);
    else
        ReadStaticRecord(in);
    ReadRecordNumber(in, doc);
    AddToScreen(doc, screenIndex);
}

void CTextElement::ReadStaticRecord(ByteReader& in)
{
    const std::uint8_t format = in.U8();
    m_doubleSize = (format & kRecordDoubleSize) ? 1 : 0;
    SetInverse(format & kRecordInverse);
    const std::size_t length = in.U16Be();
    m_staticText = in.Bytes(length);
    in.Skip(1);
}

void CTextElement::ReadDynamicRecord(ByteReader& in, CVX50TextDoc& doc)
{
    SetStation(in.U8());
    WordSize = in.U8();
    const int addressHigh = in.U8();
    const int wordAddress = addressHigh * 256 + in.U8();
    const int groupIndex = in.U8();
    const std::uint8_t format = in.U8();
    const int count = in.U8();
    // Records before version 6 have no bit code.
    const int bitCode = doc.ReadingVersion >= 6 ? in.U8() : 0;

    if (doc.UseProtocolLibrary) {
        TypeText = TextTypeText(WordSize);
        ResolveStoredAddress(doc, groupIndex, wordAddress, bitCode);
    } else {
        AddressText = std::to_string(addressHigh);
    }

    m_doubleSize = (format & kRecordDoubleSize) ? 1 : 0;
    SetInverse(format & kRecordInverse);
    SetHexBcd(format & kRecordHexBcd);
    SetSigned(format & kRecordSigned);

    m_entries.clear();
    for (int i = 0; i < count; ++i) {
        const std::uint16_t value = in.U16Be();
        const std::size_t length = in.U8();
        if (length > DynTextEntry::kMaxTextBytes)
            throw FormatError("dynamic text entry of " + std::to_string(length) + " bytes");
        std::string text = in.Bytes(length);
        in.Skip(1);
        const int number = IsSigned() ? static_cast<std::int16_t>(value) : value;
        m_entries.push_back({std::move(text), std::to_string(number)});
    }
    m_previewEntry = 0;
}

void CTextElement::ResolveStoredAddress(CVX50TextDoc& doc, int groupIndex, int wordAddress, int bitCode)
{
    AddressRepairPlan plan;
    plan.groupIndex = groupIndex;
    plan.wordAddress = wordAddress;
    plan.newGroupType = WordSize;
    if (bitCode >= 0x80) {
        plan.bit = BitFromBitCode(bitCode);
        plan.newGroupName = GeneratedGroupName("BIT%d", groupIndex);
        plan.newGroupMode = WordBitMode;
        plan.newElementName = GeneratedElementName("B%x-%x", wordAddress, plan.bit);
    } else {
        const bool bit = WordSize == 0;
        plan.newGroupName = GeneratedGroupName(bit ? "BIT%d" : "WORD%d", groupIndex);
        plan.newGroupMode = CoilOrMultiWriteMode;
        plan.newElementName = GeneratedElementName(bit ? "B%x" : "W%x", wordAddress);
    }
    plan.existingElementName = plan.newElementName;
    const AddressNames names = BindStoredAddress(doc, plan, bitCode, RepairWhen::PartlyUnnamed);
    GroupName = names.group;
    ElementName = names.element;
}

void CTextElement::LoadFromPanelRecord(CVX50TextDoc& doc, const PanelRecord& record, int screenIndex)
{
    SetPosition(record.x, record.y);
    SetStation(record.station);
    std::size_t longest = 0;
    for (const std::string& text : record.texts)
        longest = std::max(longest, text.size());
    const int flags = record.flags;

    if (IsDynamic()) {
        m_doubleSize = (flags & 0x01) ? 1 : 0;
        const DotSize size = TextRunSize(record.x, record.y, static_cast<int>(longest), m_doubleSize);
        SetSize(size.width, size.height);
        SetInverse(flags & 0x02);
        SetHexBcd(!(flags & 0x40));
        if (flags & 0x80)
            SetHexBcd(0);
        SetSigned(flags & 0x80);
        WordSize = record.wordSize;
        if (doc.UseProtocolLibrary) {
            AddressNames names =
                FindAddressNames(doc.AddressTable, record.groupIndex, record.wordAddress, record.bit);
            GroupName = std::move(names.group);
            ElementName = std::move(names.element);
            TypeText = TextTypeText(WordSize);
        }
        m_entries.clear();
        for (std::size_t i = 0; i < record.texts.size(); ++i) {
            const int value = i < record.values.size() ? record.values[i] : 0;
            const int shown = IsSigned() ? static_cast<std::int16_t>(value) : value;
            m_entries.push_back(
                {std::string(GbkPrefix(record.texts[i], DynTextEntry::kMaxTextBytes)), std::to_string(shown)});
        }
        m_previewEntry = 0;
    } else {
        const std::string text = record.texts.empty() ? std::string() : record.texts.front();
        if (flags >= 0 && flags <= 3) {
            m_doubleSize = (flags & 0x01) ? 1 : 0;
            SetInverse(flags & 0x02);
            const DotSize size = TextRunSize(record.x, record.y, static_cast<int>(text.size()), m_doubleSize);
            SetSize(size.width, size.height);
        }
        m_staticText = text;
    }
    AddToScreen(doc, screenIndex);
}
