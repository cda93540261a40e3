#include "model/elements/CFuncKeyElement.h"

#include "model/elements/AddressHeader.h"
#include "model/AddressRepair.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "devices/AddressLookup.h"
#include "devices/ElementTypeText.h"
#include "model/elements/PanelKeys.h"
#include "base/UserInterface.h"

void CFuncKeyElement::SetAction(int action)
{
    if (action < 0 || action > Decrement)
        return;
    m_flags = static_cast<std::uint8_t>((m_flags & ~0x38) | (action << 3));
}

void CFuncKeyElement::SetInverse(int on)
{
    SetFlag(0x80, on);
    SetInverseColours(on);
}

std::shared_ptr<CScreenElement> CFuncKeyElement::Clone() const
{
    auto copy = UnselectedCopy(*this);
    copy->AddressText = kNewAddressText;
    copy->SetColours(kDarkColour, kLightColour);
    return copy;
}

void CFuncKeyElement::WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const
{
    const DotPoint position = GetPosition();
    const DotSize size = GetSize();
    out.U8(static_cast<std::uint8_t>(position.x));
    out.U8(static_cast<std::uint8_t>(position.y));
    // Without the library the key's panel record still names its group.
    WriteAddressHeader(out, doc, GroupName, ElementName, AddressText, RawLowAddress, PlainGroup::Kept);
    out.U8(static_cast<std::uint8_t>((m_doubleSize & 1) | (IsInverse() << 1)));
    out.U8(static_cast<std::uint8_t>(GetStation()));
    out.U8(static_cast<std::uint8_t>(m_coilOperation));
    out.U8(static_cast<std::uint8_t>(GetAction()));
    out.U8(static_cast<std::uint8_t>(m_flags & 0x07));
    const PanelKeyInfo* key = PanelKey(m_key);
    out.U8(static_cast<std::uint8_t>(key ? key->fileCode : 0));
    out.U8(static_cast<std::uint8_t>(PasswordLevel));
    out.U16Le(static_cast<std::uint16_t>(TargetScreen));
    out.U8(static_cast<std::uint8_t>(m_dataFormat));
    out.U32Le(static_cast<std::uint32_t>(SetValue));
    out.U8(static_cast<std::uint8_t>(size.width));
    out.U8(static_cast<std::uint8_t>(size.height));
    out.U8(static_cast<std::uint8_t>(WordSize));
    out.U8(static_cast<std::uint8_t>(RegisterCount));
    out.U32Le(static_cast<std::uint32_t>(StepValue));
    out.U32Le(static_cast<std::uint32_t>(Limit));
    out.U16Le(Number);
}

void CFuncKeyElement::ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex)
{
    const int x = in.U8();
    const int y = in.U8();
    SetPosition(x, y);
    const StoredAddress stored = ReadAddressHeader(in);
    int wordAddress = 0;
    if (doc.UseProtocolLibrary) {
        wordAddress = stored.wordAddress;
    } else {
        AddressText = std::to_string(stored.rawHigh);
        RawLowAddress = stored.rawLow;
    }

    const int look = in.U8();
    SetDoubleSize(look & 1);
    SetInverse((look >> 1) & 1);
    SetStation(in.U8());
    SetCoilOperation(in.U8());
    SetAction(in.U8());
    const int flags = in.U8();
    SetHandIcon(flags & 1);
    SetInvisible((flags >> 1) & 1);
    SetPasswordProtected((flags >> 2) & 1);
    const int key = KeyFromFileCode(in.U8());
    if (key >= 0)
        SetKey(key);
    PasswordLevel = in.U8();
    TargetScreen = in.U16Le();
    SetDataFormat(in.U8());
    SetValue = in.I32Le();
    const int width = in.U8();
    const int height = in.U8();
    SetSize(width, height);
    WordSize = in.U8();
    RegisterCount = in.U8();
    StepValue = in.I32Le();
    Limit = in.I32Le();
    ReadRecordNumber(in, doc);

    if (doc.UseProtocolLibrary) {
        ResolveReadAddress(doc, wordAddress, stored.bitCode, stored.groupIndex);
    } else {
        AddressNames names = FindPlainAddressNames(doc.AddressTable, stored.groupIndex, stored.rawHigh);
        GroupName = std::move(names.group);
        ElementName = std::move(names.element);
    }
    AddToScreen(doc, screenIndex);
}

void CFuncKeyElement::ResolveReadAddress(CVX50TextDoc& doc, int wordAddress, int bitCode, int groupIndex)
{
    CurrentUi().ResetAddressLists(ToolFuncKey, WordSize);
    TypeText = SharedElementTypeText(WordSize);
    AddressRepairPlan plan;
    plan.groupIndex = groupIndex;
    plan.wordAddress = wordAddress;
    plan.newGroupType = WordSize;
    if (bitCode >= 0x80) {
        plan.bit = bitCode - 0x80;
        plan.newGroupName = GeneratedGroupName("BIT%d", groupIndex);
        plan.newGroupMode = WordBitMode;
        plan.newElementName = plan.existingElementName = GeneratedElementName("B%x-%x", wordAddress, plan.bit);
    } else if (WordSize == 0) {
        plan.bit = bitCode;
        plan.newGroupName = GeneratedGroupName("BIT%d", groupIndex);
        plan.newElementName = plan.existingElementName = GeneratedElementName("B%x", wordAddress);
    } else if (WordSize == 16) {
        plan.newGroupName = GeneratedGroupName("WORD%d", groupIndex);
        plan.newElementName = GeneratedElementName("W%x", wordAddress);
        plan.existingElementName = GeneratedElementName("D%x", wordAddress);
    } else {
        plan.newGroupName = GeneratedGroupName("DWORD%d", groupIndex);
        plan.newGroupInterval = doc.Register32Interval;
        plan.newElementName = plan.existingElementName = GeneratedElementName("DW%x", wordAddress);
    }
    // A screen jump needs no device address: its unknown address stays
    // unnamed unless the whole table is being rebuilt.
    const AddressNames names = BindStoredAddress(
        doc, plan, bitCode, GetAction() == ScreenJump ? RepairWhen::TableMissing : RepairWhen::Unnamed);
    GroupName = names.group;
    ElementName = names.element;
}

void CFuncKeyElement::LoadFromPanelRecord(CVX50TextDoc& doc, int x, int y, int panelKeyCode, int flags,
    int wordAddress, int station, int action, int coilOperation, int targetScreen, int registerCount, int wordSize,
    int groupIndex, int bit, int passwordValue, int limit, int stepValue, int screenIndex)
{
    SetPosition(x, y);
    SetStation(station);
    RegisterCount = registerCount;
    WordSize = wordSize;
    SetPasswordProtected(passwordValue > 0);
    PasswordLevel = passwordValue > 0 ? passwordValue - 1 : 0;
    Limit = limit;
    StepValue = stepValue;
    const int key = KeyFromPanelCode(panelKeyCode);
    if (key >= 0)
        SetKey(key);

    SetDoubleSize(flags & 0x01);
    if (flags & 0x01)
        SetSize(32, 32);
    else
        SetSize(16, 16);
    SetInverse((flags >> 1) & 1);
    SetHandIcon((flags >> 2) & 1);
    SetInvisible((flags >> 3) & 1);
    SetDataFormat((flags & 0x20) ? 1 : 0);
    if (flags & 0x40)
        SetDataFormat(2);
    if (!(flags & 0x80))
        TargetScreen = targetScreen;
    if (HasHandIcon())
        SetSize(GetSize().width * 2, GetSize().height);
    SetAction(action);
    SetCoilOperation(coilOperation);

    CurrentUi().ResetAddressLists(ToolFuncKey, WordSize);
    AddressNames names = FindAddressNames(doc.AddressTable, groupIndex, wordAddress, bit);
    GroupName = std::move(names.group);
    ElementName = std::move(names.element);
    TypeText = SharedElementTypeText(WordSize);
    AddToScreen(doc, screenIndex);
}
