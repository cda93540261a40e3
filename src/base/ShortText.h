#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

#include <string>
#include <string_view>

// A text stored as a one-byte length followed by its GBK bytes, the form that
// names and texts take in the project and preset files.

// Writes `text`; a text longer than 255 bytes is cut to the longest prefix of
// whole characters that fits, so the length byte always tells the truth.
void WriteShortText(ByteWriter& out, std::string_view text);
std::string ReadShortText(ByteReader& in);

// The longest prefix of `text` of at most `maxBytes` bytes that does not end
// inside a double-byte character.
std::string_view GbkPrefix(std::string_view text, std::size_t maxBytes);
