#pragma once

// Address-table groups and alarm segments for the alarm-list tests.

#include "model/AlarmSegment.h"
#include "support/TableGroups.h"

#include <string>
#include <vector>

// A coil group (mode 1) of `count` elements "<name><k>" at successive words
// from `firstWord`.
inline ElementGroup CoilGroup(const std::string& name, int count, int firstWord = 0)
{
    std::vector<DeviceElement> elements;
    for (int k = 0; k < count; ++k)
        elements.push_back({name + std::to_string(k), firstWord + k, 0});
    return MakeGroup(name, BitElementType, CoilOrMultiWriteMode, std::move(elements));
}

// A word.bit group (mode 0) of `count` successive bits from word.bit.
inline ElementGroup WordBitGroup(const std::string& name, int count, int word = 0, int bit = 0)
{
    std::vector<DeviceElement> elements;
    for (int k = 0; k < count; ++k)
        elements.push_back({name + std::to_string(k), word + (bit + k) / 16, (bit + k) % 16});
    return MakeGroup(name, BitElementType, WordBitMode, std::move(elements));
}

// A segment of `group` from element `start`, one alarm per text, and the
// typing row.
inline AlarmSegment AlarmSegmentOf(const ElementGroup& group, int start, const std::vector<std::string>& texts)
{
    AlarmSegment segment;
    segment.Station = "1";
    segment.Port = "0";
    segment.GroupName = group.name;
    segment.StartIndex = std::to_string(start);
    segment.Number = 1;
    for (std::size_t k = 0; k < texts.size(); ++k)
        segment.Entries.push_back({group.elements.at(static_cast<std::size_t>(start) + k).name, texts[k]});
    segment.Entries.emplace_back();
    return segment;
}

// `count` alarm texts "a0", "a1", ...
inline std::vector<std::string> AlarmTexts(int count)
{
    std::vector<std::string> texts;
    for (int k = 0; k < count; ++k)
        texts.push_back("a" + std::to_string(k));
    return texts;
}

inline std::vector<std::string> RowNames(const AlarmSegment& segment)
{
    std::vector<std::string> names;
    for (const AlarmEntry& entry : segment.Entries)
        names.push_back(entry.ElementName);
    return names;
}

inline std::vector<std::string> RowTexts(const AlarmSegment& segment)
{
    std::vector<std::string> texts;
    for (const AlarmEntry& entry : segment.Entries)
        texts.push_back(entry.Text);
    return texts;
}
