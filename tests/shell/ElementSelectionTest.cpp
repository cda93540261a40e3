#include "model/elements/CLampElement.h"
#include "shell/ElementSelection.h"

#include <gtest/gtest.h>

namespace {

constexpr int W = 486;
constexpr int H = 178;

std::shared_ptr<CLampElement> Lamp(int x, int y, int w = 16, int h = 16, int selected = 0)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->SetPosition(x, y);
    lamp->SetSize(w, h);
    lamp->Selected = selected;
    return lamp;
}

ElementList ListOf(std::initializer_list<std::shared_ptr<CLampElement>> lamps)
{
    ElementList list;
    for (const auto& lamp : lamps)
        list.push_back({KindLamp, lamp});
    return list;
}

} // namespace

TEST(ElementSelection, TheLaterOfTwoOverlappingElementsIsHit)
{
    const auto lower = Lamp(10, 10);
    const auto upper = Lamp(18, 10);
    const ElementList list = ListOf({lower, upper});
    // Dot (20, 12) lies in both boxes.
    EXPECT_EQ(TopmostElementAt(list, 51, 34, W, H), upper);
    EXPECT_EQ(TopmostElementAt(list, 26, 34, W, H), lower);
    EXPECT_EQ(TopmostElementAt(list, 300, 150, W, H), nullptr);
}

TEST(ElementSelection, OnlySelectedFlagsOfOneCount)
{
    const ElementList list = ListOf({Lamp(0, 0, 16, 16, 1), Lamp(20, 0, 16, 16, 2), Lamp(40, 0, 16, 16, 1)});
    EXPECT_EQ(CountSelected(list), 2);
    DeselectAll(list);
    EXPECT_EQ(CountSelected(list), 0);
}

TEST(ElementSelection, RubberBandSelectsInsideAndDeselectsTheRest)
{
    const auto inside = Lamp(12, 12, 16, 16, 0);
    const auto across = Lamp(40, 20, 16, 16, 1);
    const ElementList list = ListOf({inside, across});
    // Drawn from bottom right to top left: put in order before it selects.
    PixelRect band{50, 30, 10, 10};
    ApplyRubberBand(list, band, true);
    EXPECT_EQ(band, (PixelRect{10, 10, 50, 30}));
    EXPECT_EQ(inside->Selected, 1);
    EXPECT_EQ(across->Selected, 0);

    // The timer during a drag selects but never deselects.
    across->Selected = 1;
    ApplyRubberBand(list, band, false);
    EXPECT_EQ(across->Selected, 1);

    // A point changes nothing.
    inside->Selected = 0;
    PixelRect point{30, 30, 30, 30};
    ApplyRubberBand(list, point, true);
    EXPECT_EQ(inside->Selected, 0);
    EXPECT_EQ(across->Selected, 1);
}

TEST(ElementSelection, AGroupMovesByOneStepThatKeepsEveryMemberInside)
{
    const auto left = Lamp(100, 10, 16, 16, 1);
    const auto right = Lamp(170, 10, 20, 16, 1);
    const auto unselected = Lamp(0, 0);
    const ElementList list = ListOf({left, right, unselected});
    int dx = 10;
    int dy = -20;
    ClampSelectionStep(dx, dy, list);
    EXPECT_EQ(dx, 2);
    EXPECT_EQ(dy, -10);
    const auto moved = MoveSelection(list, dx, dy);
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(left->GetPosition(), (DotPoint{102, 0}));
    EXPECT_EQ(right->GetPosition(), (DotPoint{172, 0}));
    EXPECT_EQ(unselected->GetPosition(), (DotPoint{0, 0}));
}
