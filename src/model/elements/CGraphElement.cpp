#include "model/elements/CGraphElement.h"

#include "model/elements/AddressHeader.h"
#include "devices/AddressLookup.h"
#include "model/AddressRepair.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"
#include "devices/ElementTypeText.h"

#include <cstdint>

namespace {

// Graphs show words only: anything but 16 bits is a 32-bit word.
const PackedText& WordTypeText(int wordSize)
{
    return SharedElementTypeText(wordSize == 16 ? 16 : 32);
}

}  // namespace

CGraphElement::CGraphElement(int curve) : m_curve(curve ? 1 : 0)
{
    RebuildPreview();
}

int CGraphElement::SetDirection(int direction)
{
    if (m_curve)
        return 0;
    m_direction = direction;
    return 1;
}

GraphScale CGraphElement::Scale() const
{
    GraphScale scale;
    scale.hexBcd = m_hexBcd;
    scale.isSigned = m_signed;
    scale.registerCount = RegisterCount();
    scale.wordSize = WordSize;
    scale.zero = Zero;
    scale.fullScale = FullScale;
    return scale;
}

void CGraphElement::RebuildPreview()
{
    if (m_curve)
        PreviewSamples = CurvePreviewSamples(Scale(), DataPoints);
    else
        PreviewValue = BarPreviewValue(Scale());
}

void CGraphElement::ShowLiveValue(int value, int width)
{
    LiveState& live = Live();
    live.CurrentValue = ClampGraphValue(Scale(), value, width, live.CurrentValue);
    if (m_curve)
        live.PolledSamples.Push(live.CurrentValue, DataPoints + 1);
}

std::shared_ptr<CScreenElement> CGraphElement::Clone() const
{
    auto copy = UnselectedCopy(*this);
    copy->AddressText = kNewAddressText;
    copy->SetColours(kDarkColour, kLightColour);
    return copy;
}

void CGraphElement::WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const
{
    out.U8(static_cast<std::uint8_t>(m_curve));
    out.U8(static_cast<std::uint8_t>(RegisterCount()));
    WriteRecordBox(out);
    out.U8(static_cast<std::uint8_t>(GetStation()));
    WriteWordAddress(out, doc, GroupName, ElementName, AddressText);
    out.U8(static_cast<std::uint8_t>(m_hexBcd + 2 * m_signed));
    if (m_curve) {
        out.U8(static_cast<std::uint8_t>(DataPoints));
        out.U16Le(static_cast<std::uint16_t>(SampleInterval));
    } else {
        out.U8(static_cast<std::uint8_t>(m_direction));
    }
    out.U8(static_cast<std::uint8_t>(WordSize));
    if (RegisterCount() == 1 && WordSize == 16) {
        out.U16Be(static_cast<std::uint16_t>(Zero));
        out.U16Be(static_cast<std::uint16_t>(FullScale));
    } else {
        out.U32Be(static_cast<std::uint32_t>(Zero));
        out.U32Be(static_cast<std::uint32_t>(FullScale));
    }
    out.U16Le(Number);
}

void CGraphElement::ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex)
{
    (m_curve ? CurveRegisterCount : BarRegisterCount) = in.U8();
    ReadRecordBox(in);
    SetStation(in.U8());
    const StoredWordAddress stored = ReadWordAddress(in);
    const std::uint8_t format = in.U8();
    m_hexBcd = format & 0x01;
    m_signed = (format & 0x02) ? 1 : 0;
    if (m_curve) {
        DataPoints = in.U8();
        SampleInterval = in.U16Le();
    } else {
        SetDirection(in.U8());
    }
    WordSize = in.U8();

    if (doc.UseProtocolLibrary) {
        TypeText = WordTypeText(WordSize);
        ResolveStoredAddress(doc, stored.groupIndex, stored.wordAddress);
    } else {
        AddressText = std::to_string(stored.wordAddress);
    }

    if (RegisterCount() == 1 && WordSize == 16) {
        // The record keeps 16 bits; a signed value comes back as the number
        // it was.
        Zero = in.U16Be();
        FullScale = in.U16Be();
        if (m_signed && !m_hexBcd) {
            Zero = static_cast<std::int16_t>(Zero);
            FullScale = static_cast<std::int16_t>(FullScale);
        }
    } else {
        Zero = in.I32Be();
        FullScale = in.I32Be();
    }
    RebuildPreview();
    ReadRecordNumber(in, doc);
    AddToScreen(doc, screenIndex);
}

void CGraphElement::ResolveStoredAddress(CVX50TextDoc& doc, int groupIndex, int wordAddress)
{
    // Only an address the table lacks altogether is entered into it.
    const AddressNames names =
        BindStoredAddress(doc, WordRepairPlan(doc, groupIndex, wordAddress, WordSize), 0, RepairWhen::Unnamed);
    GroupName = names.group;
    ElementName = names.element;
}

void CGraphElement::LoadFromPanelRecord(CVX50TextDoc& doc, const PanelRecord& record, int screenIndex)
{
    SetPosition(record.x, record.y);
    SetSize(record.width, record.height);
    FullScale = record.fullScale;
    Zero = record.zero;
    SetStation(record.station);
    WordSize = record.wordSize;
    if (m_curve) {
        DataPoints = record.dataPoints;
        SampleInterval = record.sampleInterval;
        CurveRegisterCount = record.registerCount;
    } else {
        BarRegisterCount = record.registerCount;
    }
    if (doc.UseProtocolLibrary) {
        TypeText = WordTypeText(WordSize);
        AddressNames names = FindAddressNames(doc.AddressTable, record.groupIndex, record.wordAddress, 0);
        GroupName = std::move(names.group);
        ElementName = std::move(names.element);
    }

    const int format = record.format;
    if (m_curve) {
        // Bit 2 marks a decimal value, bit 3 a signed one; bit 4 does not count.
        switch (format & ~0x10) {
        case 0:
            m_hexBcd = 1;
            m_signed = 0;
            break;
        case 4:
            m_hexBcd = 0;
            m_signed = 0;
            break;
        case 12:
            m_hexBcd = 0;
            m_signed = 1;
            break;
        default:
            break;
        }
    } else {
        // Bits 0 and 1: none up, bit 0 down, bit 1 left, both right.
        m_direction = (format & 0x03) + 1;
        m_hexBcd = (format & 0x04) || (format & 0x08) ? 0 : 1;
        m_signed = (format & 0x08) ? 1 : 0;
    }
    RebuildPreview();
    AddToScreen(doc, screenIndex);
}
