#pragma once

#include "transfer/ProtocolFunctionTable.h"
#include "transfer/image/TextCoding.h"

#include <optional>
#include <string>
#include <vector>

class CVX50TextDoc;
class UserInterface;

// Where a screen's record starts in the project data, by screen number.
struct ScreenRecordPlace {
    int number = 0;
    int offset = 0;
};

// The project data of the panel image's main area, and what the header area
// takes from it.
struct ProjectData {
    std::string bytes; // D = bytes.size()
    // Per screen in list order, then the alarm screen when the project has
    // alarm blocks (numbered highest + 1). Not sorted.
    std::vector<ScreenRecordPlace> screens;
    // The highest screen number, the alarm screen's when it exists.
    int highestScreenNumber = 0;
    int descriptionTableOffset = 0;
    // Offset of each alarm block's read record (its length byte), block order.
    std::vector<int> alarmPollOffsets;
};

struct ProjectDataOptions {
    // The description table carries the screens' descriptions.
    bool includeDescriptions = false;
};

// Builds the project data: one record per screen (its poll records while
// the document uses the protocol library, then its element records), the
// alarm screen record when the project has alarm blocks, and the description
// table. Every text is coded with `coder`. The working element list must have
// been committed into its screen.
//
// The progress window moves one position after each screen's poll plan is
// collected and after it is grouped (with the library), before the screen's
// elements and after the screen, counting on from `progress`.
//
// A failed check shows its message (and selects the element it names) and
// gives nothing.
std::optional<ProjectData> BuildProjectData(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol,
    const ProjectDataOptions& options, TextCoder& coder, UserInterface& ui, int& progress);
