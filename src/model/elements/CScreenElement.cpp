#include "model/elements/CScreenElement.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "model/CVX50TextDoc.h"

namespace {

constexpr int kNumberedVersion = 9;

} // namespace

void CScreenElement::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

void CScreenElement::AddToScreen(CVX50TextDoc& doc, int screenIndex)
{
    doc.AddElementToScreen({Kind(), shared_from_this()}, screenIndex);
}

void CScreenElement::WriteRecordBox(ByteWriter& out) const
{
    out.U8(static_cast<std::uint8_t>(m_x));
    out.U8(static_cast<std::uint8_t>(m_y));
    out.U8(static_cast<std::uint8_t>(m_width));
    out.U8(static_cast<std::uint8_t>(m_height));
}

void CScreenElement::ReadRecordBox(ByteReader& in)
{
    const int x = in.U8();
    const int y = in.U8();
    const int width = in.U8();
    const int height = in.U8();
    SetPosition(x, y);
    SetSize(width, height);
}

void CScreenElement::ReadRecordNumber(ByteReader& in, const CVX50TextDoc& doc)
{
    if (doc.ReadingVersion >= kNumberedVersion)
        Number = in.U16Le();
}
