#include "shell/ElementListRows.h"

#include "base/StringTable.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "model/elements/PanelKeys.h"

#include <array>
#include <cstdio>

namespace {

// The row prefix of each number class (index NumberClassOfTool).
constexpr std::array<const char*, kNumberClassCount> Prefixes = {"L", "B", "T", "DT", "R", "H", "G", "P"};

// What a row shows after its number.
std::string RowDetail(const CScreenElement& element)
{
    if (const auto* key = dynamic_cast<const CFuncKeyElement*>(&element)) {
        const PanelKeyInfo* info = PanelKey(key->GetKey());
        return " " + (info ? StringGbk(info->nameId) : std::string());
    }
    if (const auto* lamp = dynamic_cast<const CLampElement*>(&element))
        return " " + lamp->ElementName;
    if (const auto* reg = dynamic_cast<const CRegisterElement*>(&element))
        return " " + reg->ElementName;
    if (const auto* text = dynamic_cast<const CTextElement*>(&element))
        return " " + (text->IsDynamic() ? text->ElementName : text->GetText());
    if (const auto* graph = dynamic_cast<const CGraphElement*>(&element))
        return " " + graph->ElementName;
    const DotBox box = element.GetBox();
    char detail[64];
    std::snprintf(detail, sizeof detail, " (%d,%d,%d,%d)", box.x, box.y, box.w, box.h);
    return detail;
}

} // namespace

std::vector<std::string> ElementListRows(const ElementList& elements)
{
    // Each class's counter ends at the last numbered element's number, with
    // one more for every unnumbered element; listing from the top counts it
    // down again, never below 1.
    std::array<int, kNumberClassCount> counters{};
    for (const ElementRef& ref : elements) {
        int& counter = counters[static_cast<std::size_t>(ref.element->NumberClass())];
        counter = ref.element->Number != 0 ? ref.element->Number : counter + 1;
    }
    std::vector<std::string> rows;
    rows.reserve(elements.size());
    for (auto ref = elements.rbegin(); ref != elements.rend(); ++ref) {
        const CScreenElement& element = *ref->element;
        const auto numberClass = static_cast<std::size_t>(element.NumberClass());
        int& counter = counters[numberClass];
        const int number = element.Number != 0 ? element.Number : counter;
        const char* zeros = counter < 10 ? "00" : counter < 100 ? "0" : "";
        rows.push_back(std::string(Prefixes[numberClass]) + "_" + zeros + std::to_string(number) + RowDetail(element));
        if (counter > 1)
            --counter;
    }
    return rows;
}
