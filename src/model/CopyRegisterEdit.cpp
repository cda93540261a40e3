#include "model/CopyRegisterEdit.h"

#include <algorithm>

int CopyRegisterMaximum(const std::string& deviceName)
{
    if (deviceName == "PN07" || deviceName == "CT200")
        return 16;
    if (deviceName == "CT100" || deviceName == "DB2100")
        return 4;
    return 10;
}

CopyRegGroup* FindCopyGroup(std::vector<CopyRegGroup>& groups, int number)
{
    const auto found = std::find_if(
        groups.begin(), groups.end(), [number](const CopyRegGroup& g) { return g.GroupNumber == number; });
    return found == groups.end() ? nullptr : &*found;
}

const CopyRegGroup* FindCopyGroup(const std::vector<CopyRegGroup>& groups, int number)
{
    return FindCopyGroup(const_cast<std::vector<CopyRegGroup>&>(groups), number);
}

std::vector<CopyTargetRow> CopyTargetRows(const std::vector<CopyRegGroup>& groups, int number)
{
    std::vector<CopyTargetRow> rows;
    const CopyRegGroup* group = FindCopyGroup(groups, number);
    if (!group)
        return rows;
    for (std::size_t t = 0; t < group->Targets.size(); ++t) {
        const CopyRegEntry& target = group->Targets[t];
        rows.push_back({std::to_string(t + 1), std::to_string(target.Station), target.GroupName, target.StartElement,
            std::to_string(group->ElementCount), target.Port == 1 ? "COM1" : "RS485"});
    }
    return rows;
}

NewTargetResult AddCopyTarget(std::vector<CopyRegGroup>& groups, const CopyRegGroup& source,
    const CopyRegEntry& target)
{
    if (target.StartElement.empty() || target.GroupName.empty() || source.SourceGroupName.empty()
        || source.SourceStartElement.empty())
        return NewTargetResult::NamesEmpty;
    CopyRegGroup* group = FindCopyGroup(groups, source.GroupNumber);
    if (!group) {
        CopyRegGroup added = source;
        added.Targets = {target};
        groups.push_back(std::move(added));
        return NewTargetResult::Added;
    }
    if (static_cast<int>(group->Targets.size()) >= kMaxCopyTargets)
        return NewTargetResult::GroupFull;
    group->Targets.push_back(target);
    return NewTargetResult::Added;
}

std::optional<int> DeleteCopyTarget(std::vector<CopyRegGroup>& groups, int number, int row)
{
    CopyRegGroup* group = FindCopyGroup(groups, number);
    if (!group)
        return std::nullopt;
    auto& targets = group->Targets;
    if (row >= 0 && row < static_cast<int>(targets.size()))
        targets.erase(targets.begin() + row);
    if (row < 0 || row >= static_cast<int>(targets.size()))
        return std::nullopt;
    return row;
}

CopyRegEntry* CopyTargetAt(std::vector<CopyRegGroup>& groups, int number, int row)
{
    CopyRegGroup* group = FindCopyGroup(groups, number);
    if (!group || row < 0 || row >= static_cast<int>(group->Targets.size()))
        return nullptr;
    return &group->Targets[static_cast<std::size_t>(row)];
}

void DropEmptyCopyGroups(std::vector<CopyRegGroup>& groups)
{
    std::erase_if(groups, [](const CopyRegGroup& g) { return g.Targets.empty(); });
}
