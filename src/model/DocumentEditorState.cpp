#include "model/DocumentEditorState.h"

#include "model/CFuncKeyElement.h"
#include "model/CVX50TextDoc.h"

#include <algorithm>

namespace {

// ALM in the function keys' numbering and in the panel's own key order that
// global buttons store.
constexpr int AlmKey = 7;
constexpr int AlmGlobalKeyCode = 9;

bool UsesAlmKey(const ElementList& elements)
{
    return std::any_of(elements.begin(), elements.end(), [](const ElementRef& ref) {
        const auto* key = dynamic_cast<const CFuncKeyElement*>(ref.element.get());
        return key && key->GetKey() == AlmKey;
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

    // The working list is the live copy of the edited screen; the other
    // screens are looked at as stored.
    s.almKeyInUse = UsesAlmKey(working);
    for (const ScreenRecord& screen : doc.GetScreens()) {
        if (screen.Number != doc.CurrentScreenNumber && UsesAlmKey(screen.Elements))
            s.almKeyInUse = true;
    }
    s.almKeyInUse = s.almKeyInUse || std::any_of(doc.GlobalButtons.begin(), doc.GlobalButtons.end(),
                                                 [](const GlobalButton& b) { return b.KeyCode == AlmGlobalKeyCode; });
    return s;
}
