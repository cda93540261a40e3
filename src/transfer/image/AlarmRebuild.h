#pragma once

#include "model/AlarmSegment.h"
#include "transfer/image/ImageReading.h"

#include <string>
#include <vector>

class CVX50TextDoc;

struct AlarmContext {
    CVX50TextDoc& doc;
    const CommandDecoder& decoder;
    const ImageText& text;
    const std::vector<int>& ports; // per block, from the header
    const std::vector<int>& words; // per block: its first screen-memory word
};

// Rebuilds the alarm blocks and the alarm list (eight segments) from the
// alarm screen record at `in`, which follows the last screen; with no block
// the list is left empty. The record's head, the blocks' reads (none in an
// image built without the protocol library) and the alarm list record
// [12][blocks], then per block [alarms][status word][bit][texts].
void RebuildAlarmList(ByteReader& in, const AlarmContext& context);

// Fills the alarm list up to its eight segments with empty ones (their typing
// row only), numbered on, each on station 1, the port of the last segment
// ("0" when there is none) and `groupName`.
void AppendEmptyAlarmSegments(std::vector<AlarmSegment>& segments, const std::string& groupName);
