#include "model/elements/CLampElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "base/GbkText.h"

#include "support/RecordingUserInterface.h"
#include "support/ScreenProjects.h"

#include <gtest/gtest.h>

namespace {

struct Links {
    int up;
    int down;
    bool operator==(const Links&) const = default;
};

Links LinksOf(const CVX50TextDoc& doc, int number)
{
    const ScreenRecord* s = doc.FindScreenByNumber(number);
    return s ? Links{s->UpKeyScreen, s->DownKeyScreen} : Links{-1, -1};
}

} // namespace

TEST(CopyScreen, NewTargetJoinsTheRingByNumber)
{
    struct Case {
        std::vector<int> screens;
        int source;
        int target;
        std::vector<std::pair<int, Links>> expected;
    };
    const Case cases[] = {
        // between two screens
        {{1, 5, 9}, 5, 3, {{3, {1, 5}}, {1, {9, 3}}, {5, {3, 9}}, {9, {5, 1}}}},
        // after the last: wraps to the first
        {{1, 5}, 1, 6, {{6, {5, 1}}, {5, {1, 6}}, {1, {6, 5}}}},
        // before the first
        {{4, 5}, 4, 2, {{2, {5, 4}}, {4, {2, 5}}, {5, {4, 2}}}},
        // a single screen links both ways to the copy
        {{1}, 1, 2, {{2, {1, 1}}, {1, {2, 2}}}},
    };
    for (const Case& c : cases) {
        RecordingUserInterface ui;
        CVX50TextDoc doc = ProjectWithScreens(c.screens, c.source);
        doc.CurrentScreenNumber = c.source;
        doc.WorkingElements = {{KindLamp, std::make_shared<CLampElement>()}};
        doc.CommitWorkingElements();
        ASSERT_TRUE(doc.CopyEditedScreenTo(c.target));
        for (const auto& [number, links] : c.expected)
            EXPECT_EQ(LinksOf(doc, number), links) << "target " << c.target << ", screen " << number;
        EXPECT_EQ(doc.Screens.back().Number, c.target); // appended
        EXPECT_EQ(doc.CurrentScreenNumber, c.target);
    }
}

TEST(CopyScreen, CopyHoldsClonesAndTakesTheSourceDescription)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = ProjectWithScreens({1, 5, 9}, 1);
    doc.CurrentScreenNumber = 5;
    doc.FindScreenByNumber(5)->Description = GbkFromUtf8("泵站");
    doc.WorkingElements = {{KindLamp, std::make_shared<CLampElement>()}};
    doc.CommitWorkingElements();
    doc.ResetUndoHistory(); // the project as opened
    const auto sourceLamp = doc.WorkingElements[0].element;

    ASSERT_TRUE(doc.CopyEditedScreenTo(3));
    const ScreenRecord* copy = doc.FindScreenByNumber(3);
    ASSERT_EQ(copy->Elements.size(), 1u);
    EXPECT_NE(copy->Elements[0].element, sourceLamp);
    EXPECT_EQ(doc.WorkingElements[0].element, copy->Elements[0].element);
    EXPECT_EQ(doc.FindScreenByNumber(5)->Elements[0].element, sourceLamp);
    EXPECT_EQ(Utf8FromGbk(copy->Description), "泵站");
    EXPECT_EQ(doc.ProjectModified, 1);
    EXPECT_EQ(doc.UndoHistory.size(), 2u);
    // The tree shows the copy, the canvas and the screen page show the
    // edited copy, and the element list, rebuilt last, lists its elements.
    EXPECT_TRUE(ui.Called("ShowScreenItem 3 " + GbkFromUtf8("泵站")));
    EXPECT_TRUE(ui.Called("RedrawCanvas"));
    EXPECT_TRUE(ui.Called("ShowScreenPage"));
    EXPECT_EQ(ui.calls.back(), "RefreshElementList 1");
}

TEST(CopyScreen, OntoAnExistingScreenReplacesElementsAndDescriptionOnly)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = ProjectWithScreens({1, 5, 9}, 1);
    ScreenRecord* target = doc.FindScreenByNumber(9);
    target->Port = 1;
    target->Elements = {{KindLamp, std::make_shared<CLampElement>()}, {KindLamp, std::make_shared<CLampElement>()}};
    doc.ResetUndoHistory(); // the project as opened

    ui.ScriptAnswers({IdNo});
    EXPECT_FALSE(doc.CopyEditedScreenTo(9));
    EXPECT_EQ(doc.FindScreenByNumber(9)->Elements.size(), 2u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, "9" + GbkFromUtf8("号画面已存在,要替换它吗?"));

    ASSERT_TRUE(doc.CopyEditedScreenTo(9)); // the default answer is Yes
    target = doc.FindScreenByNumber(9);
    EXPECT_EQ(target->Elements.size(), 1u);
    EXPECT_EQ(Utf8FromGbk(target->Description), "画面1");
    EXPECT_EQ(target->Port, 1);
    EXPECT_EQ(LinksOf(doc, 9), (Links{5, 1}));
    EXPECT_EQ(doc.Screens.size(), 3u);
}

TEST(CopyScreen, RefusalsChangeNothing)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = ProjectWithScreens({1, 2}, 1);
    EXPECT_FALSE(doc.CopyEditedScreenTo(1));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61222});

    doc.OnCopyScreen(); // the dialog is cancelled
    EXPECT_EQ(doc.Screens.size(), 2u);

    ui.ScriptCopyTargets({3});
    doc.OnCopyScreen();
    EXPECT_EQ(doc.Screens.size(), 3u);

    while (doc.Screens.size() < 256) {
        ScreenRecord s;
        s.Number = static_cast<int>(doc.Screens.size()) + 1;
        doc.Screens.push_back(s);
    }
    ui.messages.clear();
    ui.ScriptCopyTargets({400});
    doc.OnCopyScreen();
    doc.OnNewScreen();
    EXPECT_EQ(ui.MessageIds(), (std::vector<int>{61388, 61388}));
    EXPECT_EQ(doc.Screens.size(), 256u);
}

TEST(CopyScreen, TidyCommitDropsEmptyStaticTextsAndDeselects)
{
    CVX50TextDoc doc = ProjectWithScreens({1}, 1);
    auto named = std::make_shared<CTextElement>(0);
    named->SetText("A");
    doc.WorkingElements.push_back({KindText, std::make_shared<CTextElement>(0)});
    doc.WorkingElements.push_back({KindText, std::make_shared<CTextElement>(0)}); // two in a row
    doc.WorkingElements.push_back({KindText, std::make_shared<CTextElement>(1)}); // an empty dynamic text stays
    doc.WorkingElements.push_back({KindText, named});
    for (const ElementRef& ref : doc.WorkingElements)
        ref.element->Selected = 1;

    doc.TidyAndCommitWorkingElements();
    ASSERT_EQ(doc.WorkingElements.size(), 3u);
    EXPECT_EQ(doc.WorkingElements[1].element->Tool(), ToolDynamicText);
    EXPECT_EQ(doc.WorkingElements[2].element, named);
    for (const ElementRef& ref : doc.WorkingElements)
        EXPECT_EQ(ref.element->Selected, 0);
    ASSERT_EQ(doc.Screens[0].Elements.size(), 3u);
    EXPECT_EQ(doc.Screens[0].Elements[2].element, named);
}

TEST(CopyScreen, TheTwoHundredFiftySixthScreenIsAllowed)
{
    RecordingUserInterface ui;
    CVX50TextDoc doc = ProjectWithScreens({1}, 1);
    while (doc.Screens.size() < 255) {
        ScreenRecord s;
        s.Number = static_cast<int>(doc.Screens.size()) + 1;
        doc.Screens.push_back(s);
    }
    ui.ScriptCopyTargets({300});
    doc.OnCopyScreen();
    EXPECT_EQ(doc.Screens.size(), 256u);
    EXPECT_TRUE(ui.MessageIds().empty());
}
