#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "shell/ElementClipboard.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<CScreenElement> Lamp(int number, int x = 0, int y = 0, int w = 16, int h = 16)
{
    auto lamp = std::make_shared<CLampElement>();
    lamp->Number = static_cast<std::uint16_t>(number);
    lamp->SetPosition(x, y);
    lamp->SetSize(w, h);
    return lamp;
}

std::shared_ptr<CFuncKeyElement> FuncKey(int number, int key)
{
    auto element = std::make_shared<CFuncKeyElement>();
    element->Number = static_cast<std::uint16_t>(number);
    element->SetKey(key);
    element->SetSize(16, 16);
    return element;
}

void Add(CVX50TextDoc& doc, const std::shared_ptr<CScreenElement>& element, int selected = 0)
{
    element->Selected = selected;
    doc.GetWorkingElements().push_back({element->Kind(), element});
}

// Switches the edited screen as the tree does, adding the screen when new.
void EditScreen(CVX50TextDoc& doc, int number)
{
    doc.CommitWorkingElements();
    if (!doc.FindScreenByNumber(number)) {
        ScreenRecord screen;
        screen.Number = number;
        doc.GetScreens().push_back(screen);
    }
    doc.SetWorkingElements(doc.FindScreenByNumber(number)->Elements);
    doc.CurrentScreenNumber = number;
}

DotPoint LastPosition(const CVX50TextDoc& doc)
{
    return doc.GetWorkingElements().back().element->GetPosition();
}

} // namespace

TEST(ElementClipboard, PastesCascadeInTheSourceScreenAndRestoreInAnother)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    Add(doc, Lamp(1), 1);
    clipboard.CopySelection();

    clipboard.PasteElements();
    EXPECT_EQ(LastPosition(doc), (DotPoint{8, 8}));
    clipboard.PasteElements();
    EXPECT_EQ(LastPosition(doc), (DotPoint{16, 16}));

    EditScreen(doc, 2);
    clipboard.PasteElements();
    EXPECT_EQ(LastPosition(doc), (DotPoint{0, 0}));
    clipboard.PasteElements();
    EXPECT_EQ(LastPosition(doc), (DotPoint{8, 8}));
    EXPECT_EQ(doc.GetWorkingElements().size(), 2u);
    // Only the latest copies stay selected.
    EXPECT_EQ(doc.GetWorkingElements().front().element->Selected, 0);
    EXPECT_EQ(doc.GetWorkingElements().back().element->Selected, 1);
}

TEST(ElementClipboard, CascadeStopsFlushAtAnEdgeAndTurnsBack)
{
    struct Case {
        const char* what;
        DotBox box;
        std::vector<DotPoint> positions; // after each paste
    };
    const Case cases[] = {
        {"bottom at 60: down by 4, then up by 8", {20, 44, 16, 16}, {{28, 48}, {36, 40}, {44, 32}}},
        {"right edge: left by 8 then on", {176, 0, 16, 16}, {{168, 8}, {160, 16}}},
        {"close to the right edge: flush, then back", {172, 20, 16, 16}, {{176, 28}, {168, 36}}},
        {"touching the bottom: up by what is left, then down", {0, 4, 16, 60}, {{8, 0}, {16, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CVX50TextDoc doc;
        ElementClipboard clipboard(doc);
        Add(doc, Lamp(1, c.box.x, c.box.y, c.box.w, c.box.h), 1);
        clipboard.CopySelection();
        for (const DotPoint& expected : c.positions) {
            clipboard.PasteElements();
            EXPECT_EQ(LastPosition(doc), expected);
        }
    }
}

TEST(ElementClipboard, CutAndPasteIntoTheSameScreenPutsTheCopyBack)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    Add(doc, Lamp(1, 30, 10));
    Add(doc, Lamp(2, 50, 20), 1);
    doc.ProjectModified = 0;
    EXPECT_EQ(clipboard.CutSelection(), 1);
    ASSERT_EQ(doc.GetWorkingElements().size(), 1u);
    EXPECT_EQ(doc.ProjectModified, 1);
    EXPECT_EQ(doc.GetScreens().front().Elements.size(), 1u);

    clipboard.PasteElements();
    EXPECT_EQ(LastPosition(doc), (DotPoint{50, 20}));
    EXPECT_EQ(doc.GetWorkingElements().back().element->Number, 2);
    // The cut is used up: the next paste steps on.
    clipboard.PasteElements();
    EXPECT_EQ(LastPosition(doc), (DotPoint{58, 28}));
}

TEST(ElementClipboard, CopyWithNothingSelectedEmptiesTheClipboard)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    Add(doc, Lamp(1), 1);
    clipboard.CopySelection();
    ASSERT_EQ(doc.Clipboard.size(), 1u);
    doc.GetWorkingElements().front().element->Selected = 0;
    clipboard.CopySelection();
    EXPECT_TRUE(doc.Clipboard.empty());
    EXPECT_TRUE(clipboard.PasteElements().empty());
    EXPECT_EQ(doc.GetWorkingElements().size(), 1u);
}

TEST(ElementClipboard, PastedCopiesTakeTheLowestFreeNumbersOfTheTargetScreen)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    Add(doc, Lamp(1), 1);
    Add(doc, Lamp(2, 20, 0), 1);
    auto text = std::make_shared<CTextElement>(0);
    text->Number = 7;
    text->SetText("AB");
    Add(doc, text, 1);
    clipboard.CopySelection();

    EditScreen(doc, 2);
    Add(doc, Lamp(1, 100, 0));
    Add(doc, Lamp(3, 120, 0));
    const auto pasted = clipboard.PasteElements();
    ASSERT_EQ(pasted.size(), 3u);
    EXPECT_EQ(pasted[0]->Number, 2);
    EXPECT_EQ(pasted[1]->Number, 4);
    EXPECT_EQ(pasted[2]->Number, 1);
    // A copy is a new element of its source's class, not the clipboard's own.
    const auto copiedText = std::dynamic_pointer_cast<CTextElement>(pasted[2]);
    ASSERT_TRUE(copiedText);
    EXPECT_EQ(copiedText->IsDynamic(), 0);
    EXPECT_EQ(copiedText->GetText(), "AB");
    EXPECT_NE(pasted[2], doc.Clipboard[2].element);
}

TEST(ElementClipboard, PasteMarksTheProjectModifiedAndCommitsTheScreen)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    Add(doc, Lamp(1), 1);
    doc.CommitWorkingElements();
    clipboard.CopySelection();
    doc.ProjectModified = 0; // just saved
    const std::size_t snapshots = doc.UndoHistory.size();

    clipboard.PasteElements();
    EXPECT_EQ(doc.ProjectModified, 1);
    EXPECT_EQ(doc.GetScreens().front().Elements.size(), 2u);
    EXPECT_EQ(doc.UndoHistory.size(), snapshots + 1);
}

TEST(ElementClipboard, FunctionKeysStopAtTwentyFourAndTakeAFreeKey)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    // Three keys on ESC (4), '0' (8) and '1' (9) and a lamp.
    Add(doc, FuncKey(1, 4), 1);
    Add(doc, FuncKey(2, 8), 1);
    Add(doc, FuncKey(3, 9), 1);
    Add(doc, Lamp(1, 40, 0), 1);
    clipboard.CopySelection();

    EditScreen(doc, 2);
    // 22 keys on every key but '0' and '1'.
    int number = 1;
    for (int key = 0; key < 24; ++key) {
        if (key != 8 && key != 9)
            Add(doc, FuncKey(number++, key));
    }
    const auto pasted = clipboard.PasteElements();
    ASSERT_EQ(pasted.size(), 3u);
    const auto first = std::dynamic_pointer_cast<CFuncKeyElement>(pasted[0]);
    const auto second = std::dynamic_pointer_cast<CFuncKeyElement>(pasted[1]);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Number, 23);
    EXPECT_EQ(second->Number, 24);
    // ESC is taken: the first free key in the page's order is '0'; then
    // the first copy holds '0', so the second takes '1'. The third key
    // would be the 25th and is left out; the lamp is not.
    EXPECT_EQ(first->GetKey(), 8);
    EXPECT_EQ(second->GetKey(), 9);
    EXPECT_EQ(pasted[2]->Kind(), KindLamp);
    EXPECT_EQ(doc.GetWorkingElements().size(), 22u + 3u);
}

TEST(ElementClipboard, PastedKeyAvoidsSetWhileARegisterIsEnteredWithIt)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    Add(doc, FuncKey(1, 5), 1); // SET
    clipboard.CopySelection();
    doc.GetWorkingElements().clear();
    auto reg = std::make_shared<CRegisterElement>();
    reg->SetSettable(1);
    Add(doc, reg);
    const auto pasted = clipboard.PasteElements();
    ASSERT_EQ(pasted.size(), 1u);
    // The first key of the page's list: left.
    EXPECT_EQ(std::dynamic_pointer_cast<CFuncKeyElement>(pasted[0])->GetKey(), 0);
}

TEST(ElementClipboard, DeleteRemovesTheSelectionCommitsAndMarksModified)
{
    CVX50TextDoc doc;
    ElementClipboard clipboard(doc);
    const auto kept = Lamp(1);
    auto deleted = Lamp(2);
    const std::weak_ptr<CScreenElement> gone = deleted;
    Add(doc, kept);
    Add(doc, deleted, 1);
    deleted.reset();
    doc.CommitWorkingElements();
    doc.ProjectModified = 0;
    EXPECT_EQ(clipboard.DeleteSelection(), 1);
    EXPECT_EQ(doc.ProjectModified, 1);
    ASSERT_EQ(doc.GetScreens().front().Elements.size(), 1u);
    EXPECT_EQ(doc.GetScreens().front().Elements.front().element, kept);
    // Nothing of the document keeps the deleted element alive.
    EXPECT_TRUE(gone.expired());

    doc.ProjectModified = 0;
    EXPECT_EQ(clipboard.DeleteSelection(), 0);
    EXPECT_EQ(doc.ProjectModified, 0);
}
