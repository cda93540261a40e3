#pragma once

#include "model/AlarmSegment.h"

#include <string>
#include <string_view>
#include <vector>

class CVX50TextDoc;

// What the alarm-list dialog shows when it opens, and what its OK writes
// back into the document.

// A project without an alarm list opens with this many empty segments.
constexpr int NewAlarmListSegments = 8;

struct AlarmListStart {
    // The working copy of the segments, never empty, and the one shown.
    std::vector<AlarmSegment> segments;
    int current = 0;
    // The group box: the names of the bit groups, and the one selected
    // (empty when there are none).
    std::vector<std::string> groups;
    std::string groupChoice;
    // The start-element box's one entry; empty when it shows none.
    std::string startElementName;
    std::string station;
    int port = 0;
    // The segments are new: the editor opens on row 0.
    bool newList = false;
};

// The dialog's start from the document. A stored list shows the segment
// last confirmed (an index from a file that names no segment is clamped to
// the list); a project without one gets NewAlarmListSegments empty segments
// with the default station and port, the first bit group and its first
// element.
AlarmListStart StartAlarmList(const CVX50TextDoc& doc);

// OK: the document takes the segments, the shown one and the blocks built
// from them, and is modified. Segments whose alarms the address table cannot
// hold give no block; one message tells when there are any.
void ApplyAlarmList(CVX50TextDoc& doc, const std::vector<AlarmSegment>& segments, int current);

// Whether a segment's station may be `text`: decimal digits only, 1 to 255.
bool StationTextAccepted(std::string_view text);
