#include "base/ByteWriter.h"
#include "model/elements/CGraphElement.h"
#include "transfer/PollPositions.h"
#include "transfer/image/ElementRecordWriters.h"
#include "transfer/image/ImageLayout.h"
#include "StringIds.h"

namespace {

// The panel stores the samples of one screen's curves together.
constexpr int kCurvePointLimit = 384;

// The byte that names the graph's value: its screen-memory word with the
// protocol library, else its address text as a number.
std::uint8_t ValuePlace(const ElementRecordContext& context, int elementIndex, const CGraphElement& graph)
{
    if (!context.UseLibrary())
        return AddressTextByte(graph.AddressText);
    int position = 0;
    if (!FindWordPollPosition(context.screenIndex, elementIndex, position, context.polls.words))
        context.failures.StopAt(IdsRamAddressFailed, context.Place(elementIndex, GraphPage),
            ShowElement::BeforeMessage);
    return static_cast<std::uint8_t>(position);
}

void AppendBar(ByteWriter& out, std::uint8_t place, const CGraphElement& graph, bool wide)
{
    out.U8(BarRecord);
    out.U8(static_cast<std::uint8_t>(graph.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(graph.GetPosition().y));
    out.U8(static_cast<std::uint8_t>(graph.BarRegisterCount - 1));
    out.U8(place);
    out.U8(static_cast<std::uint8_t>(((graph.GetDirection() - 1) & 0x03)
        | NumberFormatCode(graph.IsHexBcd(), graph.IsSigned()) << 2 | (wide ? 0x10 : 0)));
    out.U8(static_cast<std::uint8_t>(graph.GetSize().width));
    out.U8(static_cast<std::uint8_t>(graph.GetSize().height));
}

void AppendCurve(ByteWriter& out, std::uint8_t place, const CGraphElement& graph, bool wide, int ordinal,
    int firstSample)
{
    out.U8(CurveRecord);
    out.U8(static_cast<std::uint8_t>(graph.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(graph.GetPosition().y + graph.GetSize().height - 1));
    out.U8(static_cast<std::uint8_t>(graph.CurveRegisterCount - 1));
    out.U8(static_cast<std::uint8_t>(graph.GetSize().width));
    out.U8(static_cast<std::uint8_t>(graph.GetSize().height));
    out.U8(place);
    out.U8(static_cast<std::uint8_t>(
        NumberFormatCode(graph.IsHexBcd(), graph.IsSigned()) << 2 | (wide ? 0x10 : 0)));
    out.U8(static_cast<std::uint8_t>(graph.GetDataPoints()));
    out.U16Le(static_cast<std::uint16_t>(graph.GetSampleInterval()));
    out.U8(static_cast<std::uint8_t>(ordinal));
    out.U16Le(static_cast<std::uint16_t>(firstSample));
}

} // namespace

void AppendGraphRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CGraphElement& graph)
{
    const bool wide = IsWideValue(graph.RegisterCount(), graph.WordSize);
    if (IsBelowLimit(graph.FullScale, graph.Zero, graph.IsSigned() != 0, wide))
        context.failures.StopAt(IdsZeroAboveFullScale, context.Place(elementIndex, GraphPage), ShowElement::AfterMessage);

    if (graph.IsCurve()) {
        ScreenTally& tally = context.tally;
        const int firstSample = tally.curvePoints;
        tally.curvePoints += graph.GetDataPoints();
        if (tally.curvePoints > kCurvePointLimit)
            context.failures.StopAt(IdsCurvePointsOver384, context.Place(elementIndex, GraphPage),
                ShowElement::AfterMessage);
        AppendCurve(out, ValuePlace(context, elementIndex, graph), graph, wide, tally.curves++, firstSample);
    } else {
        AppendBar(out, ValuePlace(context, elementIndex, graph), graph, wide);
    }
    AppendValue(out, graph.FullScale, wide);
    AppendValue(out, graph.Zero, wide);
}
