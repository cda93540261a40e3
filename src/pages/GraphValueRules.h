#pragma once

#include "base/ValueText.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The value side of bar and curve graphs, shared by both pages: the full-scale
// and zero-scale texts, how the scales follow a change of the value's width
// or format, the spin arrows' steps and the register count. Scales are the
// 32-bit patterns the element stores (a signed 16-bit value sign-extended);
// a rule reads them in the graph's number format (FieldValue).

enum class GraphKind { Bar, Curve };

struct GraphScales {
    std::int32_t zero = 0;
    std::int32_t full = 0xFFFF;

    bool operator==(const GraphScales&) const = default;
};

// The stored pattern of a typed scale text, or nullopt when it is refused:
// ParseValueText with up to 8 hexadecimal or 10 decimal digits (leading zeros
// count), so "0FFFF" is a 16-bit HEX scale and "0FFFFFFFF" is refused.
std::optional<std::int32_t> ReadScaleText(std::string_view text, NumberFormat format, int bits);

// The scales once the value is `bits` wide: at 16 bits both are brought into
// the 16-bit range of the format; at 32 bits a full scale that stood at the
// 16-bit maximum of its format becomes the 32-bit maximum (a zero scale is
// never widened).
GraphScales FitScalesToWidth(GraphScales scales, NumberFormat format, int bits);

// The scales once the format changed from `from` to `to` at `bits`:
// - to signed: both are brought into the signed range; a curve at 32 bits
//   also takes a full scale of exactly 65535 as the signed 32-bit maximum;
// - from signed, or from unsigned to HEX: both are brought into the unsigned
//   range (negatives become 0), and a full scale at the signed maximum
//   becomes the unsigned maximum;
// - from HEX to unsigned: nothing changes (same range).
GraphScales FitScalesToFormat(GraphScales scales, NumberFormat from, NumberFormat to, int bits, GraphKind kind);

enum class ScaleEnd { Zero, Full };

// A spin arrow's step (`delta` +1 or -1) of the scale text `text`: the new
// value, or nullopt when no step is taken (the text is refused, or the step
// leaves the range). On a bar the full scale does not step down to below the
// zero scale, nor the zero scale up to above the full scale; a curve's scales
// step freely.
std::optional<std::int64_t> StepScaleText(std::string_view text, int delta, ScaleEnd end, GraphScales scales,
    NumberFormat format, int bits, GraphKind kind);

// The register count a graph takes when `entered` is typed: a 16-bit word
// takes 1, or 2 when its group also holds the next word address
// (`nextWordExists`); a 32-bit word always counts 1. nullopt: refused, the
// count stays.
std::optional<int> GraphRegisterCount(int entered, int wordSize, bool nextWordExists);
