#pragma once

#include <QColor>

#include <cstdint>

// An element colour (0xRRGGBB) as the painter takes it, fully opaque.
inline QColor ElementColour(std::uint32_t rgb)
{
    return QColor(static_cast<QRgb>(rgb));
}
