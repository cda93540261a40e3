#include "model/PanelKeyChoices.h"

#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CRegisterElement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int Left = 0, Up = 2, Esc = 4, Set = 5, Alm = 7, F1 = 20;

std::shared_ptr<CFuncKeyElement> Key(int code)
{
    auto key = std::make_shared<CFuncKeyElement>();
    key->SetKey(code);
    return key;
}

std::shared_ptr<CRegisterElement> Register(bool settable)
{
    auto reg = std::make_shared<CRegisterElement>();
    reg->SetSettable(settable);
    return reg;
}

bool Offers(const std::vector<int>& keys, int code)
{
    return std::find(keys.begin(), keys.end(), code) != keys.end();
}

} // namespace

TEST(PanelKeyChoices, ListsTheKeysInPageOrder)
{
    CVX50TextDoc doc;
    doc.WorkingElements.clear();
    const std::vector<int> order = {
        0, 1, 3, 2, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 5, 6, 18, 19, 4, 7};
    EXPECT_EQ(FreePanelKeys(doc, nullptr), order);
}

TEST(PanelKeyChoices, LeavesOutKeysTakenElsewhere)
{
    struct Case {
        const char* what;
        std::vector<ElementRef> elements;
        bool alarms;
        std::vector<int> missing;
        std::vector<int> offered;
    };
    const auto bound = Key(Left);
    const Case cases[] = {
        {"other keys' codes", {{KindFuncKey, Key(Left)}, {KindFuncKey, Key(F1)}}, false, {Left, F1}, {Up, Set, Alm}},
        {"the bound key's own code stays", {{KindFuncKey, bound}}, false, {}, {Left}},
        {"settable register takes SET", {{KindRegister, Register(true)}}, false, {Set}, {Esc, Alm}},
        {"register not settable", {{KindRegister, Register(false)}}, false, {}, {Set}},
        {"alarm list takes ALM", {}, true, {Alm}, {Set, Esc}},
    };
    for (const auto& c : cases) {
        CVX50TextDoc doc;
        doc.WorkingElements = c.elements;
        if (c.alarms)
            doc.AlarmBlocks.emplace_back();
        const std::vector<int> keys = FreePanelKeys(doc, bound.get());
        for (int code : c.missing)
            EXPECT_FALSE(Offers(keys, code)) << c.what << ": " << code;
        for (int code : c.offered)
            EXPECT_TRUE(Offers(keys, code)) << c.what << ": " << code;
        EXPECT_EQ(keys.size(), 24 - c.missing.size()) << c.what;
    }
}

TEST(PanelKeyChoices, KeyOfATakenCodeMovesToTheFirstFreeKey)
{
    CVX50TextDoc doc;
    auto mine = Key(Left);
    doc.WorkingElements = {{KindFuncKey, Key(Left)}, {KindFuncKey, Key(1)}, {KindFuncKey, mine}};
    FitKeyToFreePanelKeys(doc, *mine);
    EXPECT_EQ(mine->GetKey(), 3); // left and right are taken: down comes next in the list

    auto free = Key(F1);
    doc.WorkingElements.push_back({KindFuncKey, free});
    FitKeyToFreePanelKeys(doc, *free);
    EXPECT_EQ(free->GetKey(), F1);
}

TEST(PanelKeyChoices, SetFunctionKeyOfTheEditedScreen)
{
    CVX50TextDoc doc;
    doc.WorkingElements = {{KindFuncKey, Key(Esc)}, {KindRegister, Register(true)}};
    EXPECT_FALSE(HasSetFunctionKey(doc));
    doc.WorkingElements.push_back({KindFuncKey, Key(Set)});
    EXPECT_TRUE(HasSetFunctionKey(doc));
}
