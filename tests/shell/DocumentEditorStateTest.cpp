#include "shell/DocumentEditorState.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CLampElement.h"
#include "model/CVX50TextDoc.h"

#include <gtest/gtest.h>

namespace {

constexpr int AlmKey = 7;
constexpr int AlmGlobalKeyCode = 9;

ElementRef FunctionKey(int key)
{
    auto element = std::make_shared<CFuncKeyElement>();
    element->SetKey(key);
    return {KindFuncKey, element};
}

} // namespace

TEST(DocumentEditorState, NewDocumentHasNothingToUndoSelectOrPaste)
{
    const CVX50TextDoc doc;
    const EditorState s = DocumentEditorState(doc);
    EXPECT_FALSE(s.canUndo);
    EXPECT_FALSE(s.canRedo);
    EXPECT_FALSE(s.hasSelection);
    EXPECT_TRUE(s.clipboardEmpty);
    EXPECT_FALSE(s.almKeyInUse);
    EXPECT_TRUE(s.deviceName.empty());
}

TEST(DocumentEditorState, CountsTheWorkingListAndSeesItsSelection)
{
    CVX50TextDoc doc;
    auto lamp = std::make_shared<CLampElement>();
    lamp->Selected = 1;
    doc.SetWorkingElements({FunctionKey(0), FunctionKey(1), {KindLamp, lamp}});
    const EditorState s = DocumentEditorState(doc);
    EXPECT_EQ(s.functionKeyCount, 2);
    EXPECT_EQ(s.curveCount, 0);
    EXPECT_TRUE(s.hasSelection);
}

TEST(DocumentEditorState, FindsAnAlmKeyOnAnyScreenOrGlobalButton)
{
    {
        CVX50TextDoc doc; // on the edited screen, not yet committed
        doc.SetWorkingElements({FunctionKey(AlmKey)});
        EXPECT_TRUE(DocumentEditorState(doc).almKeyInUse);
    }
    {
        CVX50TextDoc doc; // on another screen
        ScreenRecord other;
        other.Number = 2;
        other.Elements = {FunctionKey(AlmKey)};
        doc.GetScreens().push_back(other);
        EXPECT_TRUE(DocumentEditorState(doc).almKeyInUse);
    }
    {
        CVX50TextDoc doc; // a stale copy of the edited screen does not count
        doc.GetScreens().front().Elements = {FunctionKey(AlmKey)};
        doc.SetWorkingElements({FunctionKey(1)});
        EXPECT_FALSE(DocumentEditorState(doc).almKeyInUse);
    }
    {
        CVX50TextDoc doc;
        doc.GlobalButtons.resize(1);
        doc.GlobalButtons[0].KeyCode = AlmGlobalKeyCode;
        EXPECT_TRUE(DocumentEditorState(doc).almKeyInUse);
    }
}
