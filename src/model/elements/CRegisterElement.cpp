#include "model/elements/CRegisterElement.h"

#include "model/elements/AddressHeader.h"
#include "devices/AddressLookup.h"
#include "model/AddressRepair.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/DisplaySize.h"
#include "devices/ElementTypeText.h"
#include "model/elements/RegisterEntry.h"
#include "model/elements/RegisterLiveValue.h"
#include "model/elements/RegisterPreviewText.h"
#include "base/ShortText.h"
#include "base/UserInterface.h"

namespace {

// Format byte of the project record.
constexpr std::uint8_t kRecordDoubleSize = 0x01;
constexpr std::uint8_t kRecordInverse = 0x02;
constexpr std::uint8_t kRecordHexBcd = 0x04;
constexpr std::uint8_t kRecordSigned = 0x08;
constexpr std::uint8_t kRecordEngineering = 0x10;
constexpr std::uint8_t kRecordLeftIndent = 0x20;
// Entry byte of the project record.
constexpr std::uint8_t kRecordSettable = 0x01;
constexpr std::uint8_t kRecordPassword = 0x04;

std::uint8_t Bit(bool on, std::uint8_t bit)
{
    return on ? bit : 0;
}

}  // namespace

void CRegisterElement::SetFlag(std::uint8_t flag, int on)
{
    m_flags = static_cast<std::uint8_t>(on ? (m_flags | flag) : (m_flags & ~flag));
}

void CRegisterElement::SetInverse(int on)
{
    SetFlag(kInverseFlag, on);
    SetInverseColours(on);
}

RegisterFormat CRegisterElement::Format() const
{
    RegisterFormat format;
    format.digits = Digits;
    format.decimals = Decimals;
    format.hexBcd = IsHexBcd();
    format.isSigned = IsSigned();
    format.engineeringScale = IsEngineeringScale();
    format.settable = IsSettable();
    format.alignment = m_alignment;
    format.rawUpper = RawUpper;
    format.rawLower = RawLower;
    format.engUpper = EngUpper;
    format.engLower = EngLower;
    return format;
}

std::shared_ptr<CScreenElement> CRegisterElement::Clone() const
{
    auto copy = UnselectedCopy(*this);
    copy->AddressText = kNewAddressText;
    return copy;
}

void CRegisterElement::WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const
{
    out.U8(static_cast<std::uint8_t>(RegisterCount));
    WriteRecordBox(out);
    out.U8(static_cast<std::uint8_t>(PasswordLevel));
    WriteWordAddress(out, doc, GroupName, ElementName, AddressText);
    out.U8(static_cast<std::uint8_t>(Digits));
    out.U8(static_cast<std::uint8_t>(Decimals));
    out.U8(Bit(m_doubleSize, kRecordDoubleSize) | Bit(IsInverse(), kRecordInverse) | Bit(IsHexBcd(), kRecordHexBcd)
           | Bit(IsSigned(), kRecordSigned) | Bit(IsEngineeringScale(), kRecordEngineering)
           | Bit(m_alignment == 1, kRecordLeftIndent));
    out.U8(static_cast<std::uint8_t>(GetStation()));
    out.U8(Bit(IsSettable(), kRecordSettable) | Bit(IsPasswordProtected(), kRecordPassword));
    out.U8(static_cast<std::uint8_t>(WordSize));
    if (IsNarrow()) {
        out.U16Be(static_cast<std::uint16_t>(RawUpper));
        out.U16Be(static_cast<std::uint16_t>(RawLower));
        out.U16Be(static_cast<std::uint16_t>(EngUpper));
        out.U16Be(static_cast<std::uint16_t>(EngLower));
    } else {
        out.U32Be(static_cast<std::uint32_t>(RawUpper));
        out.U32Be(static_cast<std::uint32_t>(RawLower));
        out.U32Be(static_cast<std::uint32_t>(EngUpper));
        out.U32Be(static_cast<std::uint32_t>(EngLower));
    }
    WriteShortText(out, GbkPrefix(m_previewText, kMaxPreviewBytes));
    out.U8(0);
    out.U16Le(Number);
}

void CRegisterElement::ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex)
{
    RegisterCount = in.U8();
    ReadRecordBox(in);
    PasswordLevel = in.U8();
    const StoredWordAddress stored = ReadWordAddress(in);
    int digits = in.U8();
    int decimals = in.U8();
    const std::uint8_t format = in.U8();
    SetStation(in.U8());
    const std::uint8_t entry = in.U8();
    WordSize = in.U8();

    if (doc.UseProtocolLibrary)
        ResolveStoredAddress(doc, stored.groupIndex, stored.wordAddress);
    else
        AddressText = std::to_string(stored.wordAddress);

    ClampRegisterDigits(RegisterCount, WordSize, digits, decimals);
    Digits = digits;
    Decimals = decimals;
    m_doubleSize = (format & kRecordDoubleSize) ? 1 : 0;
    SetInverse(format & kRecordInverse);
    SetHexBcd(format & kRecordHexBcd);
    SetSigned(format & kRecordSigned);
    SetEngineeringScale(format & kRecordEngineering);
    m_alignment = (format & kRecordLeftIndent) ? 1 : 0;
    SetSettable(entry & kRecordSettable);
    SetPasswordProtected(entry & kRecordPassword);

    if (IsNarrow()) {
        RawUpper = in.U16Be();
        RawLower = in.U16Be();
        EngUpper = in.U16Be();
        EngLower = in.U16Be();
    } else {
        RawUpper = in.I32Be();
        RawLower = in.I32Be();
        EngUpper = in.I32Be();
        EngLower = in.I32Be();
    }
    m_previewText = ReadShortText(in);
    in.Skip(1);
    ReadRecordNumber(in, doc);
    AddToScreen(doc, screenIndex);
}

void CRegisterElement::ResolveStoredAddress(CVX50TextDoc& doc, int groupIndex, int wordAddress)
{
    if (!doc.TableMissing)
        TypeText = SharedElementTypeText(WordSize == 16 ? 16 : 32);
    AddressRepairPlan plan = WordRepairPlan(doc, groupIndex, wordAddress, WordSize);
    // Registers name a 32-bit group by its index in hexadecimal and give a
    // new 16-bit group interval 0.
    if (WordSize == 16)
        plan.newGroupInterval = 0;
    else
        plan.newGroupName = GeneratedGroupName("DWORD%x", groupIndex);
    const AddressNames names = BindStoredAddress(doc, plan, 0, RepairWhen::PartlyUnnamed);
    GroupName = names.group;
    ElementName = names.element;
}

void CRegisterElement::LoadFromPanelRecord(CVX50TextDoc& doc, const PanelRecord& record, int screenIndex)
{
    SetPosition(record.x, record.y);
    RawUpper = record.rawUpper;
    RawLower = record.rawLower;
    RegisterCount = record.registerCount;
    SetStation(record.station);
    SetSettable(record.settable);
    WordSize = record.wordSize;
    CurrentUi().ResetAddressLists(ToolRegister, WordSize);
    int digits = record.digits;
    int decimals = record.decimals;
    ClampRegisterDigits(RegisterCount, WordSize, digits, decimals);
    Digits = digits;
    Decimals = decimals;
    if (doc.UseProtocolLibrary) {
        TypeText = SharedElementTypeText(WordSize == 16 ? 16 : 32);
        AddressNames names = FindAddressNames(doc.AddressTable, record.groupIndex, record.wordAddress, 0);
        GroupName = std::move(names.group);
        ElementName = std::move(names.element);
    }

    const int flags = record.flags;
    m_doubleSize = (flags & 0x01) ? 1 : 0;
    SetInverse(flags & 0x02);
    // Bit 2 marks a decimal value, bit 3 a signed one; HEX/BCD is never signed.
    SetHexBcd(!(flags & 0x04) && !(flags & 0x08));
    SetSigned(flags & 0x08);
    SetPasswordProtected(flags & 0x20);
    SetEngineeringScale(flags & 0x40);
    m_alignment = (flags & 0x80) ? 1 : 0;
    PasswordLevel = IsPasswordProtected() ? record.passwordValue - 1 : 0;

    m_previewText =
        RegisterPreviewText(Digits, Decimals, IsSigned(), IsHexBcd(), m_alignment, RegisterCount, WordSize);

    if (IsEngineeringScale()) {
        EngUpper = record.engUpper;
        EngLower = record.engLower;
    } else if (IsNarrow()) {
        EngLower = IsSigned() ? -32768 : 0;
        EngUpper = IsSigned() ? 32767 : 65535;
    } else {
        EngLower = IsSigned() ? INT32_MIN : 0;
        EngUpper = IsSigned() ? INT32_MAX : static_cast<int>(0xFFFFFFFFu);
    }

    const DotSize size = TextRunSize(record.x, record.y, static_cast<int>(m_previewText.size()), m_doubleSize);
    SetSize(size.width, size.height);
    AddToScreen(doc, screenIndex);
}

void CRegisterElement::ShowLiveValue(int value, int width)
{
    if (Typing)
        return;
    const std::string text = FormatLiveValue(Format(), static_cast<std::uint32_t>(value), width);
    std::lock_guard lock(m_entry->mutex);
    if (!Typing)
        m_entry->text = text;
}

std::string CRegisterElement::GetEntryText() const
{
    std::lock_guard lock(m_entry->mutex);
    return m_entry->text;
}

void CRegisterElement::SetEntryText(const std::string& text)
{
    std::lock_guard lock(m_entry->mutex);
    m_entry->text = text;
}

template <typename Operation>
void CRegisterElement::EditEntry(Operation operation)
{
    std::lock_guard lock(m_entry->mutex);
    operation(m_entry->text, Format());
}

void CRegisterElement::TypeDigit(char digit)
{
    EditEntry([&](std::string& text, const RegisterFormat& f) { RegisterEntry::TypeDigit(text, EntryCursor, digit, f); });
}

void CRegisterElement::ClearEntry()
{
    EditEntry([](std::string& text, const RegisterFormat& f) { RegisterEntry::ClearEntry(text, f); });
}

void CRegisterElement::IncrementDigit()
{
    EditEntry([&](std::string& text, const RegisterFormat& f) { RegisterEntry::IncrementDigit(text, EntryCursor, f); });
}

void CRegisterElement::DecrementDigit()
{
    EditEntry([&](std::string& text, const RegisterFormat& f) { RegisterEntry::DecrementDigit(text, EntryCursor, f); });
}

void CRegisterElement::ToggleSign()
{
    EditEntry([](std::string& text, const RegisterFormat& f) { RegisterEntry::ToggleSign(text, f); });
}

void CRegisterElement::MoveCursorLeft()
{
    RegisterEntry::MoveCursorLeft(EntryCursor, Format());
}

void CRegisterElement::MoveCursorRight()
{
    RegisterEntry::MoveCursorRight(EntryCursor, Format());
}
