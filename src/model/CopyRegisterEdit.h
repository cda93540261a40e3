#pragma once

#include "model/CopyRegGroup.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// How the copy-registers dialog edits its working copy of the project's copy
// groups: the group of a number, the rows of its targets, New and Delete,
// and the element count a device allows. Each group number (0 to 3) names
// at most one group.

constexpr int kCopyGroupNumbers = 4;
constexpr int kMaxCopyTargets = 5;
// The element count box itself takes 1 to 50; the device's maximum applies
// within that.
constexpr int kCopyCountBoxMax = 50;
// Stations are 1 to this.
constexpr int kMaxCopyStation = 255;

// The largest element count a device copies at once: 16 for "PN07" and
// "CT200", 4 for "CT100" and "DB2100", 10 for any other device.
int CopyRegisterMaximum(const std::string& deviceName);

// The group of `number`: the first one with that number; nullptr when none.
CopyRegGroup* FindCopyGroup(std::vector<CopyRegGroup>& groups, int number);
const CopyRegGroup* FindCopyGroup(const std::vector<CopyRegGroup>& groups, int number);

// The columns of the target list: number, station, group, start element,
// element count, port.
constexpr int kCopyTargetColumns = 6;
using CopyTargetRow = std::array<std::string, kCopyTargetColumns>;
// One row per target of the group of `number` (none without the group):
// "1", "2", ... then station, group name, start element, the group's element
// count, and "COM1" or "RS485".
std::vector<CopyTargetRow> CopyTargetRows(const std::vector<CopyRegGroup>& groups, int number);

enum class NewTargetResult {
    Added,
    NamesEmpty, // a target or source without element group or start element
    GroupFull,  // the group already has its five targets
};
// New: `target` joins the group of `source.GroupNumber`, whose source stays
// as it is; without such a group `source` becomes one with `target` alone.
NewTargetResult AddCopyTarget(std::vector<CopyRegGroup>& groups, const CopyRegGroup& source,
    const CopyRegEntry& target);

// Delete: removes target `row` of the group of `number` when it has one.
// Returns the row that stays selected: the same row while the group has a
// target there (now the one that followed), else none.
std::optional<int> DeleteCopyTarget(std::vector<CopyRegGroup>& groups, int number, int row);

// The target in `row` of the group of `number`; nullptr when there is none.
CopyRegEntry* CopyTargetAt(std::vector<CopyRegGroup>& groups, int number, int row);

// OK keeps only the groups that have targets.
void DropEmptyCopyGroups(std::vector<CopyRegGroup>& groups);
