#include "base/ByteWriter.h"

void ByteWriter::U16Le(std::uint16_t v)
{
    U8(v & 0xFF);
    U8(v >> 8);
}

void ByteWriter::U16Be(std::uint16_t v)
{
    U8(v >> 8);
    U8(v & 0xFF);
}

void ByteWriter::U32Le(std::uint32_t v)
{
    U16Le(v & 0xFFFF);
    U16Le(v >> 16);
}

void ByteWriter::U32Be(std::uint32_t v)
{
    U16Be(v >> 16);
    U16Be(v & 0xFFFF);
}
