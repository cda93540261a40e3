#include "model/elements/CLampElement.h"

#include "model/elements/AddressHeader.h"
#include "model/AddressRepair.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "devices/ElementTypeText.h"

namespace {

constexpr int kStyleCodeCount = 8;

} // namespace

std::shared_ptr<CScreenElement> CLampElement::Clone() const
{
    auto copy = UnselectedCopy(*this);
    copy->AddressText = kNewAddressText;
    copy->SetColours(kDarkColour, kLightColour);
    return copy;
}

void CLampElement::WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const
{
    WriteRecordBox(out);
    WriteAddressHeader(out, doc, GroupName, ElementName, AddressText, RawLowAddress);
    out.U8(static_cast<std::uint8_t>((m_logic & 1) << 2 | (m_shape & 1) << 1 | (m_doubleSize & 1)));
    out.U8(static_cast<std::uint8_t>(GetStation()));
    out.U8(static_cast<std::uint8_t>(WordSize));
    out.U16Le(Number);
}

void CLampElement::ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex)
{
    ReadRecordBox(in);
    const StoredAddress stored = ReadAddressHeader(in);
    if (!doc.UseProtocolLibrary) {
        AddressText = std::to_string(stored.rawHigh);
        RawLowAddress = stored.rawLow;
    }
    const int look = in.U8();
    m_doubleSize = look & 1;
    m_shape = (look >> 1) & 1;
    m_logic = (look >> 2) & 1;
    SetStation(in.U8());
    WordSize = in.U8();
    ReadRecordNumber(in, doc);

    // Plain-number addresses name nothing in the table: looking them up
    // would fill the table with groups no record uses.
    if (doc.UseProtocolLibrary)
        ResolveReadAddress(doc, stored.wordAddress, stored.bitCode, stored.groupIndex);
    TypeText = SharedElementTypeText(0);
    AddToScreen(doc, screenIndex);
}

void CLampElement::ResolveReadAddress(CVX50TextDoc& doc, int wordAddress, int bitCode, int groupIndex)
{
    AddressRepairPlan plan;
    plan.groupIndex = groupIndex;
    plan.wordAddress = wordAddress;
    plan.newGroupName = GeneratedGroupName("BIT%d", groupIndex);
    plan.newGroupType = WordSize;
    plan.matchBit = true;
    if (bitCode < 0x80) {
        plan.bit = bitCode;
        plan.newElementName = GeneratedElementName("B%x", wordAddress);
    } else {
        plan.bit = bitCode - 0x80;
        plan.newGroupMode = WordBitMode;
        plan.newElementName = GeneratedElementName("B%x-%x", wordAddress, plan.bit);
    }
    plan.existingElementName = plan.newElementName;
    const AddressNames names = BindStoredAddress(doc, plan, bitCode, RepairWhen::Unnamed);
    GroupName = names.group;
    ElementName = names.element;
}

void CLampElement::LoadFromPanelRecord(CVX50TextDoc& doc, int x, int y, int styleCode, int wordAddress,
    int groupIndex, int station, int rawAddress, int rawLowAddress, int bit, int screenIndex)
{
    SetPosition(x, y);
    SetStation(station);
    WordSize = 0;
    if (styleCode >= 0 && styleCode < kStyleCodeCount) {
        m_doubleSize = styleCode & 1;
        m_logic = 1 - ((styleCode >> 1) & 1);
        m_shape = (styleCode >> 2) & 1;
        if (m_doubleSize)
            SetSize(32, 32);
        else
            SetSize(16, 16);
    }
    if (doc.UseProtocolLibrary) {
        TypeText = SharedElementTypeText(0);
        AddressNames names = FindAddressNames(doc.AddressTable, groupIndex, wordAddress, bit);
        GroupName = std::move(names.group);
        ElementName = std::move(names.element);
    } else {
        AddressText = std::to_string(rawAddress);
        RawLowAddress = rawLowAddress;
    }
    AddToScreen(doc, screenIndex);
}
