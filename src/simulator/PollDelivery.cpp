#include "simulator/PollDelivery.h"

#include "model/ScreenRecord.h"
#include "model/elements/CGraphElement.h"
#include "model/elements/CLampElement.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/CTextElement.h"

#include <optional>

namespace {

// Timer ticks (50 ms each) per unit of a curve's sample interval.
constexpr int kTicksPerIntervalUnit = 5;

const ElementRef* ElementAt(const std::vector<ScreenRecord>& screens, int screenIndex, int elementIndex)
{
    if (screenIndex < 0 || static_cast<std::size_t>(screenIndex) >= screens.size())
        return nullptr;
    const ElementList& elements = screens[static_cast<std::size_t>(screenIndex)].Elements;
    if (elementIndex < 0 || static_cast<std::size_t>(elementIndex) >= elements.size())
        return nullptr;
    const ElementRef& ref = elements[static_cast<std::size_t>(elementIndex)];
    return ref.element ? &ref : nullptr;
}

void DeliverValue(const ElementRef& ref, std::uint32_t value, int width, int timerTicks)
{
    const int signedValue = static_cast<int>(value);
    switch (ref.kind) {
    case KindRegister:
        static_cast<CRegisterElement&>(*ref.element).ShowLiveValue(signedValue, width);
        break;
    case KindText:
        if (auto& text = static_cast<CTextElement&>(*ref.element); width == 16 && text.IsDynamic())
            text.SelectStateByValue(signedValue);
        break;
    case KindGraph:
        if (auto& graph = static_cast<CGraphElement&>(*ref.element); graph.IsCurve())
            SampleCurve(graph, value, width, timerTicks);
        else
            graph.ShowLiveValue(signedValue, width);
        break;
    default:
        break;
    }
}

void DeliverBit(const ElementRef& ref, int bit)
{
    if (ref.kind == KindLamp) {
        auto& lamp = static_cast<CLampElement&>(*ref.element);
        lamp.SetState(lamp.GetLogic() == 1 ? bit ^ 1 : bit);
    } else if (ref.kind == KindText) {
        if (auto& text = static_cast<CTextElement&>(*ref.element); text.IsDynamic())
            text.SelectStateByValue(bit);
    }
}

// A coil's bit: the reply byte the library named for it (no data position
// added), raw or as an ASCII field.
std::optional<int> CoilBit(const DeviceReply& reply, const PollItem& item)
{
    std::optional<int> byte;
    if (reply.binary) {
        if (item.replyPosition >= 0 && static_cast<std::size_t>(item.replyPosition) < reply.bytes.size())
            byte = reply.bytes[static_cast<std::size_t>(item.replyPosition)];
    } else {
        byte = ReplyAsciiField(reply, item.replyPosition);
    }
    if (!byte)
        return std::nullopt;
    return (*byte & 0xFF) >> (item.memoryPosition % 8) & 1;
}

// A bit inside a register: the binary word at the item's place, whatever the
// protocol.
std::optional<int> WordBit(const DeviceReply& reply, const PollItem& item)
{
    const std::optional<int> word = ReplyWord(reply, reply.dataPosition + item.replyPosition);
    if (!word)
        return std::nullopt;
    return *word >> (item.memoryPosition % 16) & 1;
}

int WidthOfSlot(int slot)
{
    return slot == OneRegisterSlot ? 16 : slot == TwoRegisterSlot ? 32 : 0;
}

} // namespace

void DeliverPollGroup(const PollGroup& group, const DeviceReply& reply, const std::vector<ScreenRecord>& screens,
    bool highFront, int timerTicks)
{
    for (const PollItem& item : group.items) {
        const ElementRef* ref = ElementAt(screens, item.screenIndex, item.elementIndex);
        if (!ref)
            continue;
        if (group.kind == RegistersGroup) {
            const int width = WidthOfSlot(item.slot);
            const std::optional<std::uint32_t> value =
                width ? ReplyValue(reply, item.replyPosition, width, highFront) : std::nullopt;
            if (value)
                DeliverValue(*ref, *value, width, timerTicks);
            continue;
        }
        const std::optional<int> bit = group.kind == CoilBitsGroup ? CoilBit(reply, item) : WordBit(reply, item);
        if (bit)
            DeliverBit(*ref, *bit);
    }
}

void SampleCurve(CGraphElement& curve, std::uint32_t value, int width, int timerTicks)
{
    CGraphElement::LiveState& live = curve.Live();
    if (live.ResetRequest.exchange(0) == 1) {
        live.PolledSamples.Clear();
        curve.ShowLiveValue(0, width);
    }
    if (timerTicks - live.LastSampleTick >= kTicksPerIntervalUnit * curve.SampleInterval) {
        live.LastSampleTick = timerTicks;
        curve.ShowLiveValue(static_cast<int>(value), width);
    }
}
