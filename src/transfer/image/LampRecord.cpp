#include "base/ByteWriter.h"
#include "model/elements/CLampElement.h"
#include "transfer/image/ElementRecordWriters.h"
#include "transfer/image/ImageLayout.h"
#include "StringIds.h"

// [6][x][y][word][bit index][style]: style bit 0 double size, bit 1 negative
// logic, bits 2 and up the lamp's shape member as it is kept (so a project
// read back from the panel gets the same shape).
void AppendLampRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex, const CLampElement& lamp)
{
    int word = 0;
    int bitIndex = 0;
    if (!FindBitPlace(context, elementIndex, lamp.GroupName, word, bitIndex))
        context.failures.StopAt(IdsRamAddressFailed, context.Place(elementIndex, LampPage),
            ShowElement::BeforeMessage);
    out.U8(LampRecord);
    out.U8(static_cast<std::uint8_t>(lamp.GetPosition().x));
    out.U8(static_cast<std::uint8_t>(lamp.GetPosition().y));
    out.U8(static_cast<std::uint8_t>(word));
    out.U8(static_cast<std::uint8_t>(bitIndex));
    out.U8(static_cast<std::uint8_t>((lamp.GetDoubleSize() ? 1 : 0) | (lamp.GetLogic() == 0 ? 2 : 0)
        | lamp.GetShape() << 2));
}
