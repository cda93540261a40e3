#pragma once

#include "model/AddressRepair.h"
#include "base/ByteWriter.h"
#include "devices/ElementGroup.h"

#include <string_view>

class CVX50TextDoc;

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

// The group index that stands for no group.
constexpr int NoGroupIndex = 0xFF;

// A repair that turns a placeholder at `groupIndex` into `group` (type, mode,
// interval) holding `element`, or adds `element` by name to a real group.
AddressRepairPlan SectionRepairPlan(int groupIndex, int wordAddress, int bit, std::string group, int type, int mode,
                                    int interval, std::string element);

// The table's names for a stored address; empty for NoGroupIndex, while the
// table file is missing, and when the table lacks the address.
AddressNames LookUpSectionAddress(const CVX50TextDoc& doc, int groupIndex, int wordAddress, int bit);

// The names of a stored address: none for NoGroupIndex; else the table's
// names, or, when LookUpSectionAddress finds none, the names `plan` repairs
// the table with.
AddressNames RestoreSectionAddress(CVX50TextDoc& doc, const AddressRepairPlan& plan);
