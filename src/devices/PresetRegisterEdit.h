#pragma once

#include "base/ValueText.h"
#include "devices/PresetRegister.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How the preset-registers dialog edits its working copy of a device's
// preset registers: the values it shows for one element, their defaults,
// storing and loading them, and how its boxes check and convert them.

// The four range boxes.
enum class PresetLimit { RawUpper, RawLower, EngUpper, EngLower };

// What the dialog shows for one element. Limits are the numbers the boxes
// show (-2147483648 to 4294967295): a signed 16-bit limit is -32768 to
// 32767, a HEX or unsigned one is never negative.
struct PresetRegisterValues {
    int elementType = 16; // 16 or 32: the width of the element's group
    int registerCount = 1;
    int digits = 5;
    int decimals = 0;
    NumberFormat valueType = NumberFormat::Unsigned;
    std::array<std::int64_t, 4> limits{0xFFFF, 0, 0xFFFF, 0}; // by PresetLimit

    std::int64_t& Limit(PresetLimit which) { return limits[static_cast<int>(which)]; }
    std::int64_t Limit(PresetLimit which) const { return limits[static_cast<int>(which)]; }
    // 16 for one 16-bit register, else 32.
    int Bits() const { return ValueBits(elementType, registerCount); }
    // The most digits of the value type and width (HEX 4 or 8, else 5 or 10).
    int MaxDigits() const { return MaxValueDigits(valueType, Bits()); }

    bool operator==(const PresetRegisterValues&) const = default;
};

// What an element of `elementType` without a preset shows: one register,
// unsigned, the widest range, digits 5 or 10 and no decimals.
PresetRegisterValues DefaultPresetValues(int elementType);

// The values of the element at word `address` of `group`: every preset of
// that group and address is applied in list order, so the last one decides;
// a part a preset lacks takes the defaults of its value type and width,
// apart from the digits of one 16-bit register, which stay as `shown` has
// them. Digits and decimals then fit the value type's maximum. Without a
// preset, the defaults of `shown`'s element type.
PresetRegisterValues LoadPresetRegister(const std::vector<PresetRegister>& presets, const std::string& group,
    int address, const PresetRegisterValues& shown);

// Stores `values` as the preset of word `address` of `group`. A preset
// carries the digits part when the digits or decimals differ from the
// defaults of the width, and the ranges part when a limit differs from the
// defaults of the value type and width; one without either part does not
// exist. The first preset of that group and address is replaced (or removed),
// else one is appended. Nothing happens for an empty group or an address
// below 0.
void StorePresetRegister(std::vector<PresetRegister>& presets, const std::string& group, int address,
    const PresetRegisterValues& values);

// Typed digits: refused (false) outside 1 to the maximum; accepted digits
// below the decimals bring the decimals down to them.
bool SetPresetDigits(PresetRegisterValues& values, int digits);
// Typed decimals: refused above the maximum (any decimals in HEX); accepted
// decimals above the digits raise the digits to them.
bool SetPresetDecimals(PresetRegisterValues& values, int decimals);

// A typed register count. A 32-bit element always keeps 1. On a 16-bit
// element a count outside 1 to 2, or 2 without an element at the next word
// (`nextWordExists`), is refused (false). An accepted count converts digits
// and limits to the new width: two registers widen the digits and the upper
// limits that stand at their 16-bit defaults, one register cuts them into
// the 16-bit range.
bool SetPresetRegisterCount(PresetRegisterValues& values, int count, bool nextWordExists);

// A chosen value type: the limits are brought into the new type's range
// (defaults staying defaults) and the digits follow (none after the point in
// HEX; digits at the HEX maximum widen to the decimal one).
void SetPresetValueType(PresetRegisterValues& values, NumberFormat type);

// The check of a typed range box: the value of `text` in the value type and
// width, or nullopt when it is refused. An empty text, and a lone "-" when
// signed, are 0. HEX takes at most 4 or 8 digits, the decimal formats at
// most 5 or 10, within the range of the width.
std::optional<std::int64_t> CheckRange(std::string_view text, const PresetRegisterValues& values);

// The text a range box shows for its limit: HEX upper-case, unsigned or
// signed decimal.
std::string PresetLimitText(const PresetRegisterValues& values, PresetLimit which);
