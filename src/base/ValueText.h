#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text of a device value in one of the three number formats at a width of
// 16 or 32 bits: the check of a typed text, its value, the text a stored
// field is shown with, and the range the value must stay in.
//
// Values are held as 64-bit numbers so that every value of every format fits
// (-2147483648 to 4294967295); elements store the value's 32-bit pattern
// (ValueField), and FieldValue reads a stored pattern back in a format.

// The codes match the data format of function keys and global buttons and
// the value type of preset registers.
enum class NumberFormat { Hex = 0, Unsigned = 1, Signed = 2 };

// The format a stored code names; unsigned for a code outside 0 to 2 (a
// damaged file).
NumberFormat NumberFormatOfCode(int code);

// The format of a register that has a HEX/BCD flag and a signed flag.
NumberFormat RegisterNumberFormat(bool hexBcd, bool isSigned);

// A value is 16 bits wide when it is one register of a 16-bit word group,
// else (a 32-bit group, or two 16-bit registers) 32 bits.
int ValueBits(int wordSize, int registerCount);

struct NumberRange {
    std::int64_t min = 0;
    std::int64_t max = 0;

    bool Contains(std::int64_t value) const { return value >= min && value <= max; }
    std::int64_t Clamp(std::int64_t value) const { return value < min ? min : value > max ? max : value; }
    // A spin arrow's step: value + delta while both lie in the range, else
    // nullopt (an arrow at the end of the range, or one that starts outside
    // it, does nothing).
    std::optional<std::int64_t> Step(std::int64_t value, int delta) const
    {
        if (!Contains(value) || !Contains(value + delta))
            return std::nullopt;
        return value + delta;
    }
};

// HEX 0 to FFFF or FFFFFFFF, unsigned 0 to 65535 or 4294967295, signed
// -32768 to 32767 or -2147483648 to 2147483647. `bits` is 16 or 32.
NumberRange ValueRange(NumberFormat format, int bits);

// How many digits a text may have, leading zeros included (a "-" does not
// count). The default allows leading zeros up to the length of the widest
// 32-bit value, whatever the width; a caller that wants no more digits than
// the range's extreme passes {4, 5} for 16 bits.
struct DigitLimit {
    int hex = 8;
    int decimal = 10;
};

// The digits of the widest value of a width (FFFF, 65535 and -32768 at 16
// bits): {4, 5} or {8, 10}. A value typed for that width needs no more.
DigitLimit WidthDigitLimit(int bits);
// The most digits a value of the format and width shows: HEX 4 or 8, the
// decimal formats 5 or 10 (a register's or a preset's digits).
int MaxValueDigits(NumberFormat format, int bits);

// The value of a typed text, or nullopt when the text is refused. Accepted
// are the empty text (0), and:
// - HEX: hexadecimal digits of either case;
// - unsigned: decimal digits;
// - signed: decimal digits after an optional "-"; "-" alone is 0;
// with no more digits than `digits` allows and a value inside the range. The
// range is judged on the digits themselves, so a text never passes by
// wrapping around 32 bits (4294967296 is refused, not read as 0).
std::optional<std::int64_t> ParseValueText(std::string_view text, NumberFormat format, int bits,
    DigitLimit digits = {});

// The 32-bit pattern an element stores for a value (4294967295 becomes -1).
std::int32_t ValueField(std::int64_t value);

// A stored pattern read in a format: HEX and unsigned read it as an unsigned
// 32-bit number, signed as a signed one. The width plays no part, so a range
// check or a clamp of a 16-bit value sees what the field really holds.
std::int64_t FieldValue(std::int32_t field, NumberFormat format);

// The text a stored field is shown with: HEX upper-case hexadecimal without
// leading zeros ("%X"), unsigned "%u", signed "%d"; a signed 16-bit value
// shows the signed number of the field's low 16 bits (0xFFFF shows "-1").
std::string FormatValueText(std::int32_t field, NumberFormat format, int bits);
