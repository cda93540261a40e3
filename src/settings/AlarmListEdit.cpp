#include "settings/AlarmListEdit.h"

#include "settings/AlarmAddressRules.h"
#include "StringIds.h"
#include "base/UserInterface.h"
#include "devices/AddressFileText.h"
#include "model/AlarmBlocks.h"
#include "model/CVX50TextDoc.h"

#include <algorithm>

namespace {

std::string FirstElementName(const ElementGroup* group)
{
    return group && !group->elements.empty() ? group->elements.front().name : std::string();
}

void StartStoredList(const CVX50TextDoc& doc, AlarmListStart& start)
{
    start.segments = doc.AlarmSegments;
    start.current = std::clamp(doc.ShownAlarmSegment, 0, static_cast<int>(start.segments.size()) - 1);
    const AlarmSegment& shown = start.segments[static_cast<std::size_t>(start.current)];
    start.station = shown.Station;
    start.port = LeadingDecimal(shown.Port);

    const std::string& lookup = shown.GroupName.empty() ? start.groupChoice : shown.GroupName;
    if (std::find(start.groups.begin(), start.groups.end(), lookup) != start.groups.end())
        start.groupChoice = lookup;
    const ElementGroup* group = FindAlarmGroup(doc.AddressTable, lookup);
    const int index = LeadingDecimal(shown.StartIndex);
    if (group && index >= 0 && index < static_cast<int>(group->elements.size()))
        start.startElementName = group->elements[static_cast<std::size_t>(index)].name;
}

void StartNewList(const CVX50TextDoc& doc, AlarmListStart& start)
{
    start.startElementName = FirstElementName(FindAlarmGroup(doc.AddressTable, start.groupChoice));
    for (int k = 0; k < NewAlarmListSegments; ++k) {
        AlarmSegment segment;
        segment.Station = start.station;
        segment.Port = std::to_string(doc.DefaultPort);
        segment.GroupName = start.groupChoice;
        segment.StartIndex = "0";
        segment.Number = k + 1;
        segment.Entries.emplace_back();
        start.segments.push_back(std::move(segment));
    }
    start.newList = true;
}

} // namespace

AlarmListStart StartAlarmList(const CVX50TextDoc& doc)
{
    AlarmListStart start;
    start.station = std::to_string(doc.DefaultStation);
    start.port = doc.DefaultPort;
    start.groups = BitGroupNames(doc.AddressTable);
    if (!start.groups.empty())
        start.groupChoice = start.groups.front();
    if (doc.AlarmSegments.empty())
        StartNewList(doc, start);
    else
        StartStoredList(doc, start);
    return start;
}

void ApplyAlarmList(CVX50TextDoc& doc, const std::vector<AlarmSegment>& segments, int current)
{
    doc.AlarmSegments = segments;
    doc.ShownAlarmSegment = current;
    doc.AlarmBlocks = BuildAlarmBlocks(doc.AlarmSegments, doc.AddressTable);
    doc.ProjectModified = 1;
    const bool unresolved = std::any_of(segments.begin(), segments.end(), [&doc](const AlarmSegment& s) {
        return s.AlarmCount() > 0 && !AlarmSegmentResolves(s, doc.AddressTable);
    });
    if (unresolved)
        CurrentUi().ShowMessage(IdsAddressOutOfTable);
}

bool StationTextAccepted(std::string_view text)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!std::all_of(text.begin(), text.end(), digit))
        return false;
    const int value = LeadingDecimal(text);
    return value >= 1 && value <= 255;
}
