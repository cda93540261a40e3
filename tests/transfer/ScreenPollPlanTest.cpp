// The poll plan over a project: which elements poll, and the document's
// library and buffer deciding the merging.

#include "base/StringTable.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "support/ModbusCoilPosition.h"
#include "support/RecordingUserInterface.h"
#include "support/TableGroups.h"
#include "transfer/ScreenPollPlan.h"

#include <gtest/gtest.h>

namespace {

template <typename Element> void Bind(Element& element, const char* group, const char* name, int station = 1)
{
    element.GroupName = group;
    element.ElementName = name;
    element.SetStation(station);
}

class ScreenPollPlan : public ::testing::Test {
protected:
    ScreenPollPlan()
    {
        ElementGroup coils = MakeGroup("Coil", BitElementType, CoilOrMultiWriteMode);
        ElementGroup words = MakeGroup("Reg", Word16ElementType, SingleWriteMode);
        for (int a = 0; a < 20; ++a) {
            coils.elements.push_back({"C" + std::to_string(a), a, 0});
            words.elements.push_back({"R" + std::to_string(a), 100 + a, 0});
        }
        doc.AddressTable = {coils, words};
        doc.ProtocolLibraryName = "ModBus Slave.dll";
        doc.CommBufferLength = 30;
        doc.GetScreens()[0].Description = "Pumps";
    }

    template <typename Element> std::shared_ptr<Element> Add(std::shared_ptr<Element> element)
    {
        doc.GetScreens()[0].Elements.push_back({element->Kind(), element});
        return element;
    }

    RecordingUserInterface ui;
    CVX50TextDoc doc;
};

TEST_F(ScreenPollPlan, EachElementKindPollsItsValue)
{
    Add(std::make_shared<CFuncKeyElement>());
    auto lamp = Add(std::make_shared<CLampElement>());
    Bind(*lamp, "Coil", "C3");
    auto wide = Add(std::make_shared<CRegisterElement>());
    Bind(*wide, "Reg", "R0");
    wide->RegisterCount = 2;
    auto unpolled = Add(std::make_shared<CRegisterElement>());
    Bind(*unpolled, "Reg", "missing", 0);
    auto staticText = Add(std::make_shared<CTextElement>(0));
    Bind(*staticText, "Reg", "missing");
    auto wordText = Add(std::make_shared<CTextElement>(1));
    Bind(*wordText, "Reg", "R2");
    auto bitText = Add(std::make_shared<CTextElement>(1));
    Bind(*bitText, "Coil", "C4");
    bitText->WordSize = 0;
    auto curve = Add(std::make_shared<CGraphElement>(1));
    Bind(*curve, "Reg", "R3");
    curve->CurveRegisterCount = 2;
    auto bar = Add(std::make_shared<CGraphElement>(0));
    Bind(*bar, "Reg", "R5");
    bar->CurveRegisterCount = 2; // the bar's own count is 1
    Add(std::make_shared<CPictureElement>());

    std::vector<PollItem> wordBits, coils, words;
    ASSERT_TRUE(CollectScreenAddresses(doc, 0, wordBits, coils, words));
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(coils.size(), 2u);
    EXPECT_EQ(coils[0].elementIndex, 1);
    EXPECT_EQ(coils[1].elementIndex, 6);
    ASSERT_EQ(words.size(), 4u);
    const int elements[] = {2, 5, 7, 8};
    const int slots[] = {TwoRegisterSlot, OneRegisterSlot, TwoRegisterSlot, OneRegisterSlot};
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(words[i].elementIndex, elements[i]);
        EXPECT_EQ(words[i].slot, slots[i]);
    }

    const auto groups = BuildPollGroups(doc, ModbusCoilPosition, wordBits, coils, words);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].kind, CoilBitsGroup);
    EXPECT_EQ(groups[1].startAddress, 100);
    EXPECT_EQ(groups[1].length, 6);

    doc.ProtocolLibraryName = "QM4-232.dll";
    EXPECT_EQ(BuildPollGroups(doc, ModbusCoilPosition, wordBits, coils, words).size(), 6u);
}

TEST_F(ScreenPollPlan, AFaultyAddressNamesTheScreen)
{
    auto graph = Add(std::make_shared<CGraphElement>(0));
    Bind(*graph, "Reg", "R99");
    std::vector<PollItem> wordBits, coils, words;
    EXPECT_FALSE(CollectScreenAddresses(doc, 0, wordBits, coils, words));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].gbkText, "Pumps" + StringGbk(61272));
    EXPECT_EQ(ui.calls.back(), "GoToElement 0 0 4");
}

TEST_F(ScreenPollPlan, AScreenOutsideTheProjectCollectsNothingSilently)
{
    std::vector<PollItem> wordBits, coils, words;
    EXPECT_FALSE(CollectScreenAddresses(doc, 1, wordBits, coils, words));
    EXPECT_FALSE(CollectScreenAddresses(doc, -1, wordBits, coils, words));
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
