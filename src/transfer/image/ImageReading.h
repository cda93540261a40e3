#pragma once

#include "base/ByteReader.h"
#include "transfer/ProtocolEntryPoints.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Helpers of the reader that rebuilds a project from a panel image. Every
// read goes through ByteReader, which throws FormatError instead of reading
// past the data: a damaged image stops the rebuild, never a read outside it.

inline std::string_view BytesOf(const std::vector<std::uint8_t>& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// A device command as the image stores it: [length][bytes].
std::string ReadCommand(ByteReader& in);

// A value of 2 bytes (sign-extended when `isSigned`) or 4 bytes, low byte first.
int ReadValue(ByteReader& in, bool wide, bool isSigned);

// GetIDandAddress's view of one stored command: out1 byte 0 the station,
// bytes 1 and 2 the address (high byte first), bytes 3 to 6 a written value;
// out3 where the reply's data starts.
struct DecodedCommand {
    int result = -1; // below 0: the library could not decode the command
    std::array<std::uint8_t, 256> out1{};
    int out2 = 0;
    int out3 = 0;
    int out4 = 0;

    bool Ok() const { return result >= 0; }
    int Station() const { return out1[0]; }
    int Address() const { return out1[1] * 256 + out1[2]; }
};

// Decodes stored commands with the protocol library. The command is copied
// into a zeroed buffer of the library's size first, so a short command never
// lets the library read past it. Without the entry every decode fails.
class CommandDecoder {
public:
    explicit CommandDecoder(GetIDandAddressFn decode) : m_decode(decode) {}

    // kind 0 for reads, 1 for writes, 3 for a function key's single-coil write.
    DecodedCommand Decode(int kind, std::string_view command, int replyPosition = 0, int bit = 0) const;

private:
    GetIDandAddressFn m_decode;
};

// The texts of the main area: a byte below 0x80 is one character; a byte of
// 0x80 or more and the next name glyph i = (b - 0x80) x 256 + next, whose
// stored code pair plus 0xA1 a byte is the double-byte character.
class ImageText {
public:
    ImageText(const std::vector<std::uint8_t>& main, int glyphCount) : m_main(&main), m_glyphCount(glyphCount) {}

    // `count` characters (static texts).
    std::string ReadUnits(ByteReader& in, int count) const;
    // Units filling `count` bytes (dynamic-text entries, alarm texts).
    std::string ReadBytes(ByteReader& in, int count) const;

private:
    // The character of one unit starting with `first`.
    void AppendUnit(ByteReader& in, std::uint8_t first, std::string& text) const;

    const std::vector<std::uint8_t>* m_main;
    int m_glyphCount;
};
