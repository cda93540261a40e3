#pragma once

#include "model/AddressRepair.h"
#include "model/ByteWriter.h"

#include <string_view>

// Address codes as the project-wide sections store them.

// The word address of a named element, -1 (stored 0xFF, 0x00) when absent.
void WriteSectionWord(ByteWriter& out, const AddressTable& table, std::string_view group, std::string_view element);
// The group's index, 0xFF when absent.
std::uint8_t SectionGroupIndex(const AddressTable& table, std::string_view group);
// The element's bit, plus 0x80 in groups of mode 0 or 2.
std::uint8_t SectionBitCode(const AddressTable& table, std::string_view group, std::string_view element);

// A decimal text as the sections store it in one byte ("12" -> 12); text
// that is not a number gives 0.
int SectionNumber(std::string_view text);
