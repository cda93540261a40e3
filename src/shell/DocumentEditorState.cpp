#include "shell/DocumentEditorState.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "model/CVX50TextDoc.h"

#include <algorithm>

namespace {

// The kind code names the class (element lists keep them paired), so the
// scan over every screen, repeated by the window's refresh timer, needs no
// dynamic cast.
bool UsesAlmKey(const ElementList& elements)
{
    return std::any_of(elements.begin(), elements.end(), [](const ElementRef& ref) {
        return ref.kind == KindFuncKey && static_cast<const CFuncKeyElement&>(*ref.element).GetKey() == KeyAlm;
    });
}

// The working list is the live copy of the edited screen; the other screens
// are looked at as stored.
bool AlmKeyInUse(const CVX50TextDoc& doc)
{
    if (std::any_of(doc.GlobalButtons.begin(), doc.GlobalButtons.end(),
                    [](const GlobalButton& b) { return b.KeyCode == GlobalKeyCode(KeyAlm); }))
        return true;
    if (UsesAlmKey(doc.GetWorkingElements()))
        return true;
    const std::vector<ScreenRecord>& screens = doc.GetScreens();
    return std::any_of(screens.begin(), screens.end(), [&doc](const ScreenRecord& screen) {
        return screen.Number != doc.CurrentScreenNumber && UsesAlmKey(screen.Elements);
    });
}

} // namespace

EditorState DocumentEditorState(const CVX50TextDoc& doc)
{
    EditorState s;
    s.canUndo = doc.CanUndo();
    s.canRedo = doc.CanRedo();
    const ElementList& working = doc.GetWorkingElements();
    for (const ElementRef& ref : working) {
        s.hasSelection = s.hasSelection || ref.element->Selected;
        s.functionKeyCount += ref.element->Tool() == ToolFuncKey;
        s.curveCount += ref.element->Tool() == ToolCurveGraph;
    }
    s.clipboardEmpty = doc.Clipboard.empty();
    s.deviceName = doc.DeviceName;
    s.protocolLibrary = doc.ProtocolLibraryName;
    s.almKeyInUse = AlmKeyInUse(doc);
    return s;
}
