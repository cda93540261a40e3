#include "model/CopyRegisterEdit.h"

#include <gtest/gtest.h>

namespace {

CopyRegGroup Source(int number)
{
    CopyRegGroup g;
    g.GroupNumber = number;
    g.SourceStation = 3;
    g.SourceGroupName = "D";
    g.SourceStartElement = "D0";
    g.ElementCount = 4;
    g.SourcePort = 1;
    return g;
}

CopyRegEntry Target(int station, std::string start = "D10")
{
    CopyRegEntry t;
    t.Station = station;
    t.GroupName = "D";
    t.StartElement = std::move(start);
    return t;
}

std::vector<int> Stations(const CopyRegGroup& group)
{
    std::vector<int> stations;
    for (const CopyRegEntry& t : group.Targets)
        stations.push_back(t.Station);
    return stations;
}

} // namespace

TEST(CopyRegisterEdit, MaximumCountByDevice)
{
    const std::pair<const char*, int> cases[] = {
        {"PN07", 16}, {"CT200", 16}, {"CT100", 4}, {"DB2100", 4},
        {"QM4", 10}, {"ModBus Slave", 10}, {"ct100", 10}, {"", 10},
    };
    for (const auto& [device, maximum] : cases)
        EXPECT_EQ(CopyRegisterMaximum(device), maximum) << device;
}

TEST(CopyRegisterEdit, NewCreatesTheGroupOnceAndStopsAtFiveTargets)
{
    std::vector<CopyRegGroup> groups;
    EXPECT_EQ(AddCopyTarget(groups, Source(2), Target(1)), NewTargetResult::Added);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].SourceStation, 3);

    // Later targets join the group; its source stays as it was.
    CopyRegGroup otherSource = Source(2);
    otherSource.SourceStation = 9;
    for (int station = 2; station <= 5; ++station)
        EXPECT_EQ(AddCopyTarget(groups, otherSource, Target(station)), NewTargetResult::Added);
    EXPECT_EQ(AddCopyTarget(groups, otherSource, Target(6)), NewTargetResult::GroupFull);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].SourceStation, 3);
    EXPECT_EQ(Stations(groups[0]), (std::vector<int>{1, 2, 3, 4, 5}));

    // Another number is another group.
    EXPECT_EQ(AddCopyTarget(groups, Source(0), Target(7)), NewTargetResult::Added);
    EXPECT_EQ(groups.size(), 2u);
    EXPECT_EQ(FindCopyGroup(groups, 0)->Targets.size(), 1u);
    EXPECT_EQ(FindCopyGroup(groups, 1), nullptr);
}

TEST(CopyRegisterEdit, NewNeedsEveryName)
{
    CopyRegGroup noSourceGroup = Source(0);
    noSourceGroup.SourceGroupName.clear();
    CopyRegGroup noSourceStart = Source(0);
    noSourceStart.SourceStartElement.clear();
    CopyRegEntry noTargetGroup = Target(1);
    noTargetGroup.GroupName.clear();

    std::vector<CopyRegGroup> groups;
    EXPECT_EQ(AddCopyTarget(groups, Source(0), Target(1, "")), NewTargetResult::NamesEmpty);
    EXPECT_EQ(AddCopyTarget(groups, Source(0), noTargetGroup), NewTargetResult::NamesEmpty);
    EXPECT_EQ(AddCopyTarget(groups, noSourceGroup, Target(1)), NewTargetResult::NamesEmpty);
    EXPECT_EQ(AddCopyTarget(groups, noSourceStart, Target(1)), NewTargetResult::NamesEmpty);
    EXPECT_TRUE(groups.empty());
}

TEST(CopyRegisterEdit, TargetRowsShowTheGroupsTargets)
{
    std::vector<CopyRegGroup> groups;
    AddCopyTarget(groups, Source(1), Target(7, "D3"));
    CopyRegEntry com1 = Target(8, "D4");
    com1.Port = 1;
    AddCopyTarget(groups, Source(1), com1);
    const std::vector<CopyTargetRow> rows = CopyTargetRows(groups, 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (CopyTargetRow{"1", "7", "D", "D3", "4", "RS485"}));
    EXPECT_EQ(rows[1], (CopyTargetRow{"2", "8", "D", "D4", "4", "COM1"}));
    EXPECT_TRUE(CopyTargetRows(groups, 0).empty());
}

TEST(CopyRegisterEdit, DeleteKeepsTheRowSelectedWhileATargetIsThere)
{
    std::vector<CopyRegGroup> groups;
    for (int station = 1; station <= 4; ++station)
        AddCopyTarget(groups, Source(0), Target(station));

    // Row 1 of four: the old third target moves up into it and is the one shown.
    EXPECT_EQ(DeleteCopyTarget(groups, 0, 1), 1);
    EXPECT_EQ(Stations(groups[0]), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(CopyTargetAt(groups, 0, 1)->Station, 3);

    // The last row: nothing is left to show there.
    EXPECT_EQ(DeleteCopyTarget(groups, 0, 2), std::nullopt);
    EXPECT_EQ(Stations(groups[0]), (std::vector<int>{1, 3}));
    EXPECT_EQ(CopyTargetAt(groups, 0, 2), nullptr);

    // A row past the targets, or a group that does not exist: nothing is removed.
    EXPECT_EQ(DeleteCopyTarget(groups, 0, 5), std::nullopt);
    EXPECT_EQ(DeleteCopyTarget(groups, 3, 0), std::nullopt);
    EXPECT_EQ(groups[0].Targets.size(), 2u);

    // An emptied group stays until OK drops it.
    DeleteCopyTarget(groups, 0, 0);
    DeleteCopyTarget(groups, 0, 0);
    ASSERT_EQ(groups.size(), 1u);
    AddCopyTarget(groups, Source(3), Target(9));
    DropEmptyCopyGroups(groups);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].GroupNumber, 3);
}
