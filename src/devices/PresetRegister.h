#pragma once

#include <cstdint>
#include <string>

// A device-wide display preset for one word address: digits and decimals
// (the digits part) and raw and engineering ranges (the ranges part).
struct PresetRegister {
    int Parts = 0; // 0 digits part only, 1 ranges part only, 2 both
    std::string GroupName;
    int RegisterCount = 1; // 2 for a 32-bit value in two 16-bit registers
    int WordAddress = 0;
    int Digits = 5;
    int Decimals = 0;
    int ValueType = 0; // 0 HEX, 1 unsigned, 2 signed
    std::int32_t RawLower = 0;
    std::int32_t RawUpper = 0;
    std::int32_t EngLower = 0;
    std::int32_t EngUpper = 0;

    bool HasDigitsPart() const { return Parts == 0 || Parts == 2; }
    bool HasRangesPart() const { return Parts == 1 || Parts == 2; }

    bool operator==(const PresetRegister&) const = default;
};
