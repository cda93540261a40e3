#include "model/CVX50TextDoc.h"

#include "base/CheckedIndex.h"
#include "base/NumberText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "devices/AddressTableFile.h"

#include <algorithm>

CVX50TextDoc::CVX50TextDoc()
{
    ScreenRecord first;
    MakeFirstScreen(first);
    Screens.push_back(first);
    ResetUndoHistory();
}

ScreenRecord* CVX50TextDoc::FindScreenByNumber(int number)
{
    const auto it = std::find_if(Screens.begin(), Screens.end(),
        [number](const ScreenRecord& s) { return s.Number == number; });
    return it == Screens.end() ? nullptr : &*it;
}

const ScreenRecord* CVX50TextDoc::FindScreenByNumber(int number) const
{
    return const_cast<CVX50TextDoc*>(this)->FindScreenByNumber(number);
}

void CVX50TextDoc::CommitWorkingElements()
{
    if (ScreenRecord* screen = FindScreenByNumber(CurrentScreenNumber))
        screen->Elements = WorkingElements;
}

void CVX50TextDoc::TidyAndCommitWorkingElements()
{
    std::erase_if(WorkingElements, [](const ElementRef& ref) {
        if (!ref.element)
            return false;
        ref.element->Selected = 0;
        return ref.element->IsEmptyStaticText();
    });
    CommitWorkingElements();
    // The screen-data window lists the elements and shows their selection.
    CurrentUi().RefreshElementList(true);
}

ElementList CVX50TextDoc::CloneElementList(const ElementList& elements, bool keepSelection)
{
    ElementList clones;
    clones.reserve(elements.size());
    for (const ElementRef& ref : elements) {
        if (!IsElementKind(ref.kind) || !ref.element)
            continue;
        std::shared_ptr<CScreenElement> clone = ref.element->Clone();
        if (keepSelection)
            clone->Selected = ref.element->Selected;
        clones.push_back({ref.kind, std::move(clone)});
    }
    return clones;
}

void CVX50TextDoc::AddElementToScreen(const ElementRef& ref, int screenIndex)
{
    ScreenRecord& screen = CheckedAt(Screens, screenIndex);
    WorkingElements.push_back(ref);
    // While a screen is being read its list already equals the working list
    // but for the new element. Comparing the whole prefix at every element
    // would make reading a screen quadratic, so the list's length and last
    // element stand for it.
    const std::size_t size = screen.Elements.size();
    const bool oneBehind = size + 1 == WorkingElements.size()
        && (size == 0
            || (screen.Elements.back().kind == WorkingElements[size - 1].kind
                && screen.Elements.back().element == WorkingElements[size - 1].element));
    if (oneBehind)
        screen.Elements.push_back(ref);
    else
        screen.Elements = WorkingElements;
}

std::string CVX50TextDoc::DefaultScreenDescription(int number) const
{
    return StringGbk(NewScreenNameId) + std::to_string(number);
}

void CVX50TextDoc::MakeFirstScreen(ScreenRecord& screen) const
{
    screen.Elements.clear();
    screen.Number = screen.UpKeyScreen = screen.DownKeyScreen = 1;
    screen.Description = DefaultScreenDescription(1);
}

std::vector<int> CVX50TextDoc::LowestFreeNumbers() const
{
    // Counters rise only when an element holds exactly the counter's value,
    // so passes repeat until nothing changes: then every counter holds the
    // lowest number its class leaves free.
    std::vector<int> next(kNumberClassCount, 1);
    for (bool changed = true; changed;) {
        changed = false;
        for (const ElementRef& ref : WorkingElements) {
            if (!ref.element)
                continue;
            int& counter = next[static_cast<std::size_t>(ref.element->NumberClass())];
            if (ref.element->Number == counter) {
                ++counter;
                changed = true;
            }
        }
    }
    return next;
}

bool CVX50TextDoc::ReadAddressTable(const std::string& path)
{
    return ReadAddressTableFile(path, AddressTable);
}

bool CVX50TextDoc::WriteAddressTable(const std::string& path) const
{
    return WriteAddressTableFile(path, GetDeviceKeys(), DeviceName, AddressTable);
}

DeviceKeys CVX50TextDoc::GetDeviceKeys() const
{
    return {ProtocolLibraryName, TableEditable, CommBufferLength, HighFront};
}

int CVX50TextDoc::ParseHexText(std::string_view text)
{
    return ::ParseHexText(text);
}

int CVX50TextDoc::ParseOctalText(std::string_view text)
{
    return ::ParseOctalText(text);
}
