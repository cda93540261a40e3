#include "model/elements/ElementFactory.h"

#include "model/elements/ElementRecordFixtures.h"
#include "support/RecordingUserInterface.h"

#include <gtest/gtest.h>

// An element placed but never bound to an address stores "no group" (0xFF).
// Reading it back must leave it unbound and the device's table untouched:
// otherwise every save and open of a fresh screen would fill the table with
// placeholder groups up to index 255 and write them into the device file.
TEST(UnboundAddress, ReadsBackUnboundWithoutExtendingTheTable)
{
    RecordingUserInterface ui;
    const ToolCode tools[] = {ToolLamp, ToolFuncKey, ToolDynamicText, ToolRegister, ToolBarGraph, ToolCurveGraph};
    for (ToolCode tool : tools) {
        CVX50TextDoc doc = DocumentWithTable();
        const AddressTable before = doc.AddressTable;
        const ElementRef placed = CreateElementForTool(tool);
        ByteWriter out;
        placed.element->WriteProjectRecord(out, doc);

        const ElementRef read = CreateElementForTool(tool);
        ByteReader in(out.Data());
        if (read.kind == KindText || read.kind == KindGraph)
            in.U8(); // the sub-kind byte, which the project reader consumes
        try {
            read.element->ReadProjectRecord(in, doc, 0);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "tool " << tool << ": " << e.what();
            continue;
        }
        EXPECT_TRUE(in.AtEnd()) << "tool " << tool;
        EXPECT_EQ(doc.AddressTable.size(), before.size()) << "tool " << tool;
        EXPECT_TRUE(doc.AddressTable == before) << "tool " << tool;
        EXPECT_FALSE(doc.TableExtended) << "tool " << tool;
    }
}
