#include "model/PanelKeyChoices.h"

#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/CVX50TextDoc.h"

#include <algorithm>
#include <array>

namespace {

// Arrows, digits, F1 to F4, SET, ENT, +/-, CLR, ESC, ALM, by key code.
constexpr std::array<int, 24> ListOrder = {0, 1, 3, 2, 8, 9, 10, 11, 12, 13, 14, 15,
                                           16, 17, 20, 21, 22, 23, 5, 6, 18, 19, 4, 7};
constexpr int SetKey = 5;
constexpr int AlmKey = 7;

} // namespace

std::vector<int> FreePanelKeys(const CVX50TextDoc& document, const CFuncKeyElement* bound)
{
    std::vector<int> keys(ListOrder.begin(), ListOrder.end());
    auto drop = [&keys](int key) { std::erase(keys, key); };
    for (const ElementRef& ref : document.GetWorkingElements()) {
        const CScreenElement* element = ref.element.get();
        if (const auto* other = dynamic_cast<const CFuncKeyElement*>(element); other && other != bound)
            drop(other->GetKey());
        else if (const auto* reg = dynamic_cast<const CRegisterElement*>(element); reg && reg->IsSettable())
            drop(SetKey);
    }
    if (!document.AlarmBlocks.empty())
        drop(AlmKey);
    return keys;
}

void FitKeyToFreePanelKeys(const CVX50TextDoc& document, CFuncKeyElement& key)
{
    const std::vector<int> keys = FreePanelKeys(document, &key);
    if (!keys.empty() && std::find(keys.begin(), keys.end(), key.GetKey()) == keys.end())
        key.SetKey(keys.front());
}

bool HasSetFunctionKey(const CVX50TextDoc& document)
{
    const ElementList& elements = document.GetWorkingElements();
    return std::any_of(elements.begin(), elements.end(), [](const ElementRef& ref) {
        const auto* key = dynamic_cast<const CFuncKeyElement*>(ref.element.get());
        return key && key->GetKey() == SetKey;
    });
}
