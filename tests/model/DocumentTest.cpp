#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"
#include "base/GbkText.h"

#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

namespace {

ElementRef Lamp(int number)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->Number = static_cast<std::uint16_t>(number);
    return {KindLamp, lamp};
}

ElementRef Key(int number)
{
    auto key = std::make_shared<CFuncKeyElement>();
    key->Number = static_cast<std::uint16_t>(number);
    return {KindFuncKey, key};
}

} // namespace

// The rest of a new project is what its file holds (ProjectFile tests).
TEST(Document, NewProjectEditsScreenOneWithNothingToUndoOrSave)
{
    const CVX50TextDoc doc;
    ASSERT_EQ(doc.Screens.size(), 1u);
    EXPECT_EQ(doc.Screens[0].Number, 1);
    EXPECT_EQ(Utf8FromGbk(doc.Screens[0].Description), "画面1");
    EXPECT_EQ(doc.CurrentScreenNumber, 1);
    EXPECT_TRUE(doc.WorkingElements.empty());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.ProjectModified, 0);
}

TEST(Document, LowestFreeNumberPerClass)
{
    struct Case {
        std::vector<int> lamps;
        int expectedLamp;
    };
    const Case cases[] = {
        {{1, 2, 4}, 3},
        {{2, 3}, 1},
        {{2, 1}, 3}, // the second pass finds 2 after 1
        {{}, 1},
        {{3, 2, 1}, 4},
    };
    for (const Case& c : cases) {
        CVX50TextDoc doc;
        for (int n : c.lamps)
            doc.WorkingElements.push_back(Lamp(n));
        doc.WorkingElements.push_back(Key(2));
        const std::vector<int> next = doc.LowestFreeNumbers();
        EXPECT_EQ(next[NumberClassOfTool(ToolLamp)], c.expectedLamp) << c.lamps.size();
        EXPECT_EQ(next[NumberClassOfTool(ToolFuncKey)], 1);
        EXPECT_EQ(next[NumberClassOfTool(ToolPicture)], 1);
    }
}

TEST(Document, CommitSharesTheWorkingElements)
{
    CVX50TextDoc doc;
    doc.WorkingElements.push_back(Lamp(1));
    doc.CommitWorkingElements();
    ASSERT_EQ(doc.Screens[0].Elements.size(), 1u);
    EXPECT_EQ(doc.Screens[0].Elements[0].element, doc.WorkingElements[0].element);

    doc.CurrentScreenNumber = 7; // no such screen: nothing happens
    doc.WorkingElements.clear();
    doc.CommitWorkingElements();
    EXPECT_EQ(doc.Screens[0].Elements.size(), 1u);
}

TEST(Document, CloneElementListMakesUnselectedCopiesByKind)
{
    ElementList list = {Lamp(3), Key(5), {9, std::make_shared<CLampElement>()}};
    list[0].element->Selected = 1;
    list[0].element->SetPosition(10, 20);
    list[0].element->SetStation(7);
    const ElementList clones = CVX50TextDoc::CloneElementList(list);
    ASSERT_EQ(clones.size(), 2u); // the kind outside 0 to 5 is skipped
    EXPECT_NE(clones[0].element, list[0].element);
    EXPECT_EQ(clones[0].kind, KindLamp);
    EXPECT_EQ(clones[0].element->Number, 3);
    EXPECT_EQ(clones[0].element->Selected, 0);
    EXPECT_EQ(clones[0].element->GetPosition(), (DotPoint{10, 20}));
    EXPECT_EQ(clones[0].element->GetStation(), 7);
    EXPECT_NE(dynamic_cast<CFuncKeyElement*>(clones[1].element.get()), nullptr);

    const ElementList kept = CVX50TextDoc::CloneElementList(list, true);
    EXPECT_EQ(kept[0].element->Selected, 1);
}

TEST(Document, AddElementToScreenRefusesAnIndexOutsideTheScreens)
{
    CVX50TextDoc doc;
    EXPECT_THROW(doc.AddElementToScreen(Lamp(1), 1), std::out_of_range);
    doc.AddElementToScreen(Lamp(1), 0);
    EXPECT_EQ(doc.Screens[0].Elements.size(), 1u);
    EXPECT_EQ(doc.WorkingElements.size(), 1u);
}

TEST(Document, HexAndOctalTexts)
{
    EXPECT_EQ(CVX50TextDoc::ParseHexText("1a"), 26);
    EXPECT_EQ(CVX50TextDoc::ParseHexText(""), 0);
    EXPECT_EQ(CVX50TextDoc::ParseHexText("12G"), -1);
    EXPECT_EQ(CVX50TextDoc::ParseHexText("7FFFFFFF"), 2147483647);
    EXPECT_EQ(CVX50TextDoc::ParseHexText("100000000"), 0);
    EXPECT_EQ(CVX50TextDoc::ParseOctalText("17"), 15);
    EXPECT_EQ(CVX50TextDoc::ParseOctalText("8"), -1);
}
