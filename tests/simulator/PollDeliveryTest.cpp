// Values of a poll group's reply reaching the elements: by group kind, slot
// and element kind, with the lamps' logic and the curves' sampling clock.

#include "model/ScreenRecord.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"
#include "simulator/PollDelivery.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class PollDelivery : public ::testing::Test {
protected:
    PollDelivery() { screens.resize(2); }

    // Adds `element` to screen 1 and returns its index there.
    template <typename Element> int Add(const std::shared_ptr<Element>& element)
    {
        screens[1].Elements.push_back({element->Kind(), element});
        return static_cast<int>(screens[1].Elements.size()) - 1;
    }

    static PollItem Item(int element, int replyPosition, int slot, int memoryPosition = 0)
    {
        PollItem item;
        item.screenIndex = 1;
        item.elementIndex = element;
        item.replyPosition = replyPosition;
        item.slot = slot;
        item.memoryPosition = memoryPosition;
        return item;
    }

    void Deliver(int kind, std::vector<PollItem> items, const std::vector<std::uint8_t>& reply, bool highFront = true,
        int ticks = 2)
    {
        PollGroup group;
        group.kind = kind;
        group.items = std::move(items);
        DeliverPollGroup(group, DeviceReply{reply, 3, 0, true}, screens, highFront, ticks);
    }

    static std::shared_ptr<CGraphElement> HexGraph(int curve)
    {
        auto graph = std::make_shared<CGraphElement>(curve);
        graph->SetHexBcd(1); // keeps every value as it came
        return graph;
    }

    std::vector<ScreenRecord> screens;
};

TEST_F(PollDelivery, LampsFollowTheirBitByLogic)
{
    auto positive = std::make_shared<CLampElement>();
    auto negative = std::make_shared<CLampElement>();
    negative->SetLogic(0);
    auto wordBitLamp = std::make_shared<CLampElement>();
    const int p = Add(positive);
    const int n = Add(negative);
    const int w = Add(wordBitLamp);

    // Coils: reply byte 3 = 0b0000'0100, the lamps on bits 2 and 3.
    Deliver(CoilBitsGroup, {Item(p, 3, 1, 2), Item(n, 3, 1, 16 + 2)}, {1, 1, 1, 0x04, 0, 0});
    EXPECT_EQ(positive->GetState(), 0); // positive logic, bit on: lit
    EXPECT_EQ(negative->GetState(), 1);
    Deliver(CoilBitsGroup, {Item(p, 3, 1, 3), Item(n, 3, 1, 3)}, {1, 1, 1, 0x04, 0, 0});
    EXPECT_EQ(positive->GetState(), 1);
    EXPECT_EQ(negative->GetState(), 0);

    // A bit inside a register: bit 9 of the second word.
    Deliver(RegisterBitsGroup, {Item(w, 2, 17, 9)}, {1, 3, 4, 0x00, 0x00, 0x02, 0x00, 0, 0});
    EXPECT_EQ(wordBitLamp->GetState(), 0);
    Deliver(RegisterBitsGroup, {Item(w, 2, 17, 16 + 8)}, {1, 3, 4, 0x00, 0x00, 0x02, 0x00, 0, 0});
    EXPECT_EQ(wordBitLamp->GetState(), 1);
}

TEST_F(PollDelivery, DynamicTextsChooseTheirEntry)
{
    auto text = std::make_shared<CTextElement>(1);
    text->AddState("off", "0");
    text->AddState("on", "1");
    text->AddState("many", "300");
    auto staticText = std::make_shared<CTextElement>(0);
    const int t = Add(text);
    const int s = Add(staticText);

    Deliver(RegistersGroup, {Item(t, 0, OneRegisterSlot), Item(s, 0, OneRegisterSlot)}, {1, 3, 2, 0x01, 0x2C, 0, 0});
    EXPECT_EQ(text->ShownEntry(), 2);
    EXPECT_EQ(staticText->ShownEntry(), -1);
    // Bits are not inverted for texts.
    Deliver(CoilBitsGroup, {Item(t, 3, 1, 0)}, {1, 1, 1, 0x01, 0, 0});
    EXPECT_EQ(text->ShownEntry(), 1);
    // 32-bit values do not reach texts.
    Deliver(RegistersGroup, {Item(t, 0, TwoRegisterSlot)}, {1, 3, 4, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(text->ShownEntry(), 1);
}

TEST_F(PollDelivery, RegisterValuesByWidthAndWordOrder)
{
    auto narrow = HexGraph(0);
    auto wide = HexGraph(0);
    auto reg = std::make_shared<CRegisterElement>();
    const int a = Add(narrow);
    const int b = Add(wide);
    const int r = Add(reg);
    const std::vector<std::uint8_t> reply = {1, 3, 6, 0x12, 0x34, 0x56, 0x78, 0x00, 0x2A, 0, 0};

    Deliver(RegistersGroup, {Item(a, 0, OneRegisterSlot), Item(b, 0, TwoRegisterSlot), Item(r, 4, OneRegisterSlot)},
        reply, true);
    EXPECT_EQ(narrow->Live().CurrentValue, 0x1234);
    EXPECT_EQ(static_cast<std::uint32_t>(wide->Live().CurrentValue.load()), 0x12345678u);
    EXPECT_EQ(reg->GetEntryText(), "00042");

    Deliver(RegistersGroup, {Item(b, 0, TwoRegisterSlot)}, reply, false);
    EXPECT_EQ(static_cast<std::uint32_t>(wide->Live().CurrentValue.load()), 0x56781234u);

    // A value beyond the bytes that came, another slot, another element: passed over.
    Deliver(RegistersGroup, {Item(a, 6, TwoRegisterSlot), Item(a, 0, 0x10), Item(a, 0, OneRegisterSlot, 0)},
        {1, 3, 2, 0x00, 0x07, 0, 0});
    EXPECT_EQ(narrow->Live().CurrentValue, 7);
    PollItem elsewhere = Item(a, 0, OneRegisterSlot);
    elsewhere.elementIndex = 99;
    Deliver(RegistersGroup, {elsewhere}, reply);
    EXPECT_EQ(narrow->Live().CurrentValue, 7);
}

TEST_F(PollDelivery, CurvesSampleEachAtItsOwnInterval)
{
    auto fast = HexGraph(1);
    fast->SampleInterval = 1; // a sample every 5 ticks
    auto slow = HexGraph(1);
    slow->SampleInterval = 2; // every 10 ticks
    const int f = Add(fast);
    const int s = Add(slow);
    for (const auto& curve : {fast, slow}) {
        // As the start leaves them.
        curve->Live().PolledSamples.Push(99, 10);
        curve->Live().LastSampleTick = 2;
        curve->Live().ResetRequest = 1;
    }
    const std::vector<std::uint8_t> reply = {1, 3, 6, 0x00, 0x05, 0x00, 0x00, 0x00, 0x09, 0, 0};
    const std::vector<PollItem> items = {Item(f, 0, OneRegisterSlot), Item(s, 2, TwoRegisterSlot)};
    for (int tick = 3; tick <= 22; ++tick)
        Deliver(RegistersGroup, items, reply, true, tick);

    // The first pass empties the samples and takes 0; then ticks 7, 12, 17, 22
    // and 12, 22.
    EXPECT_EQ(fast->Live().PolledSamples.Values(), (std::vector<int>{0, 5, 5, 5, 5}));
    EXPECT_EQ(slow->Live().PolledSamples.Values(), (std::vector<int>{0, 9, 9}));
    EXPECT_EQ(fast->Live().LastSampleTick, 22);
    EXPECT_EQ(slow->Live().LastSampleTick, 22);
}

} // namespace
