#include "model/CScreenElement.h"

#include "model/CVX50TextDoc.h"

void CScreenElement::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

void CScreenElement::CopyBaseTo(CScreenElement& target, bool withStation) const
{
    target.Number = Number;
    target.m_x = m_x;
    target.m_y = m_y;
    target.m_width = m_width;
    target.m_height = m_height;
    if (withStation)
        target.m_station = m_station;
}

void CScreenElement::AddToScreen(CVX50TextDoc& doc, int screenIndex)
{
    doc.AddElementToScreen({Kind(), shared_from_this()}, screenIndex);
}
