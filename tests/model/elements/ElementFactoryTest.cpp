#include "model/elements/ElementFactory.h"

#include <gtest/gtest.h>

TEST(ElementFactory, EveryToolMakesAnElementOfItsKindAndNumberClass)
{
    for (int t = ToolLamp; t <= ToolPicture; ++t) {
        const auto tool = static_cast<ToolCode>(t);
        const ElementRef ref = CreateElementForTool(tool);
        ASSERT_TRUE(ref.element) << t;
        EXPECT_EQ(ref.kind, KindOfTool(tool));
        EXPECT_EQ(ref.element->Kind(), ref.kind);
        EXPECT_EQ(ref.element->Tool(), tool);
        // A clone keeps the class and sub-kind.
        EXPECT_EQ(ref.element->Clone()->Tool(), tool);
    }
    EXPECT_FALSE(CreateElementForTool(ToolSelect).element);
}

TEST(ElementFactory, SubKindsAndUnknownKinds)
{
    EXPECT_EQ(CreateElement(KindText, 1).element->Tool(), ToolDynamicText);
    EXPECT_EQ(CreateElement(KindText, 0).element->Tool(), ToolStaticText);
    EXPECT_EQ(CreateElement(KindGraph, 1).element->Tool(), ToolCurveGraph);
    EXPECT_EQ(CreateElement(KindGraph, 7).element->Tool(), ToolBarGraph); // anything but 1 is a bar
    EXPECT_FALSE(CreateElement(6).element);
    EXPECT_FALSE(CreateElement(-1).element);
}
