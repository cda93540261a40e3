#include "model/ElementRebinding.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/CVX50TextDoc.h"
#include "devices/ElementTypeText.h"
#include "base/UserInterface.h"

#include <algorithm>

namespace {

// The name of the first group of `elementType`: the first entry a page's
// group list offers for that type; empty when the table has none.
std::string FirstGroupOfType(const AddressTable& table, int elementType)
{
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const ElementGroup& g) { return g.elementType == elementType; });
    return it == table.end() ? std::string() : it->name;
}

// Function keys set a register, increment or decrement on 16-bit words;
// set coil and screen jump work on bits.
int FuncKeyWidth(const CFuncKeyElement& key)
{
    switch (key.GetAction()) {
    case 1:
    case 3:
    case 4:
        return Word16ElementType;
    default:
        return BitElementType;
    }
}

void ResetFuncKey(CFuncKeyElement& key, const AddressTable& table)
{
    key.WordSize = FuncKeyWidth(key);
    key.TypeText = SharedElementTypeText(key.WordSize);
    key.GroupName = FirstGroupOfType(table, key.WordSize);
    key.ElementName.clear();
    key.RawLowAddress = 0;
}

void ResetLamp(CLampElement& lamp)
{
    lamp.WordSize = BitElementType;
    lamp.TypeText = SharedElementTypeText(BitElementType);
    lamp.GroupName.clear();
    lamp.ElementName.clear();
    lamp.RawLowAddress = 0;
}

// Registers, bar graphs and curve graphs: a 16-bit word with no group chosen
// yet, except that the curve page offers its first 16-bit group.
template <class Element>
void ResetWord(Element& element, std::string groupName)
{
    element.WordSize = Word16ElementType;
    element.TypeText = SharedElementTypeText(Word16ElementType);
    element.GroupName = std::move(groupName);
    element.ElementName.clear();
}

// A dynamic text keeps its width: bit texts stay bit texts.
void ResetDynamicText(CTextElement& text)
{
    text.TypeText = SharedElementTypeText(text.WordSize != 0 ? Word16ElementType : BitElementType);
    text.GroupName.clear();
    text.ElementName.clear();
}

void ResetBinding(CScreenElement& element, const AddressTable& table)
{
    if (auto* key = dynamic_cast<CFuncKeyElement*>(&element))
        ResetFuncKey(*key, table);
    else if (auto* lamp = dynamic_cast<CLampElement*>(&element))
        ResetLamp(*lamp);
    else if (auto* reg = dynamic_cast<CRegisterElement*>(&element))
        ResetWord(*reg, {});
    else if (auto* graph = dynamic_cast<CGraphElement*>(&element))
        ResetWord(*graph, graph->IsCurve() ? FirstGroupOfType(table, Word16ElementType) : std::string());
    else if (auto* text = dynamic_cast<CTextElement*>(&element); text && text->IsDynamic())
        ResetDynamicText(*text);
}

} // namespace

void RebindAllElements(CVX50TextDoc& doc)
{
    if (doc.DeviceChange == 1) {
        doc.PrepareAllScreensForEdit();
        // The working list shares its elements with the edited screen but may
        // hold one that is not committed yet; resetting twice does no harm.
        for (const ElementRef& ref : doc.WorkingElements)
            ResetBinding(*ref.element, doc.AddressTable);
        for (ScreenRecord& screen : doc.Screens)
            for (const ElementRef& ref : screen.Elements)
                ResetBinding(*ref.element, doc.AddressTable);
    }
    // The pages refill their lists for the elements they bind to; a project
    // without elements leaves them as they are.
    const bool anyElement = !doc.WorkingElements.empty()
        || std::any_of(doc.Screens.begin(), doc.Screens.end(), [](const ScreenRecord& s) { return !s.Elements.empty(); });
    if (anyElement)
        CurrentUi().ElementAddressesRebound();
}
