#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16 as in Modbus RTU: start 0xFFFF, reflected polynomial 0xA001; frames
// carry it low byte first. Header-only and free of the editor's libraries, so
// that the protocol libraries, which link nothing of the editor, share it.

inline std::uint16_t Crc16(const unsigned char* bytes, std::size_t length)
{
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

// Writes the CRC of the first `length` bytes of `frame` behind them (the
// frame must hold `length` + 2 bytes) and returns it.
inline std::uint16_t AppendCrc16(unsigned char* frame, std::size_t length)
{
    const std::uint16_t crc = Crc16(frame, length);
    frame[length] = static_cast<unsigned char>(crc & 0xFF);
    frame[length + 1] = static_cast<unsigned char>(crc >> 8);
    return crc;
}
