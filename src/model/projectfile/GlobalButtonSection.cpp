#include "model/CVX50TextDoc.h"
#include "devices/ElementTypeText.h"
#include "model/projectfile/ProjectSections.h"
#include "model/projectfile/SectionAddress.h"

namespace {

void WriteButton(ByteWriter& out, const GlobalButton& button, const CVX50TextDoc& doc)
{
    const AddressTable& table = doc.AddressTable;
    out.U8(button.Function);
    out.U8(button.Flags);
    out.U8(static_cast<std::uint8_t>(button.Station));
    out.U8(static_cast<std::uint8_t>(button.RegisterCount));
    out.U16Le(static_cast<std::uint16_t>(button.JumpScreen));
    out.U8(static_cast<std::uint8_t>(button.Port));
    out.U8(static_cast<std::uint8_t>(button.ElementType));
    out.U8(static_cast<std::uint8_t>(button.UserLevel));
    out.U8(button.DisplayFormat);
    out.U8(static_cast<std::uint8_t>(button.KeyCode));
    WriteSectionWord(out, table, button.GroupName, button.ElementName);
    out.U8(SectionBitCode(table, button.GroupName, button.ElementName));
    out.U8(SectionGroupIndex(table, button.GroupName));
    out.U8(static_cast<std::uint8_t>(doc.SelectedGlobalButton));
    if (button.HasSingleWordValues()) {
        out.U16Le(static_cast<std::uint16_t>(button.Value));
        out.U16Le(static_cast<std::uint16_t>(button.Step));
        out.U16Le(static_cast<std::uint16_t>(button.Limit));
    } else {
        out.U32Le(static_cast<std::uint32_t>(button.Value));
        out.U32Le(static_cast<std::uint32_t>(button.Step));
        out.U32Le(static_cast<std::uint32_t>(button.Limit));
    }
}

// The group and element that stand for a button's stored address when the
// table lacks it.
AddressRepairPlan ButtonRepair(const GlobalButton& button, int word, int bitCode, int g, const CVX50TextDoc& doc)
{
    if (bitCode >= 0x80)
        return SectionRepairPlan(g, word, bitCode - 0x80, GeneratedGroupName("BIT%d", g), button.ElementType,
                                 WordBitMode, 1, GeneratedElementName("B%x-%x", word, bitCode - 0x80));
    switch (button.ElementType) {
    case BitElementType:
        return SectionRepairPlan(g, word, bitCode, GeneratedGroupName("BIT%d", g), BitElementType,
                                 CoilOrMultiWriteMode, 1, GeneratedElementName("B%x", word));
    case Word16ElementType:
        return SectionRepairPlan(g, word, 0, GeneratedGroupName("WORD%d", g), Word16ElementType,
                                 CoilOrMultiWriteMode, 1, GeneratedElementName("W%x", word));
    default:
        return SectionRepairPlan(g, word, 0, GeneratedGroupName("DWORD%d", g), Word32ElementType,
                                 CoilOrMultiWriteMode, doc.Register32Interval, GeneratedElementName("DW%x", word));
    }
}

GlobalButton ReadButton(ByteReader& in, CVX50TextDoc& doc)
{
    const bool withPort = doc.ReadingVersion >= 2;
    GlobalButton button;
    button.Function = in.U8();
    button.Flags = in.U8();
    button.Station = in.U8();
    button.RegisterCount = in.U8();
    button.JumpScreen = withPort ? in.U16Le() : in.U8();
    // Version 1 buttons have no port: they talk over RS485.
    button.Port = withPort ? in.U8() : 0;
    button.ElementType = in.U8();
    button.UserLevel = in.U8();
    button.DisplayFormat = in.U8();
    button.KeyCode = in.U8();
    const int word = in.U16Le();
    const int bitCode = in.U8();
    const int g = in.U8();
    doc.SelectedGlobalButton = in.U8();
    button.TypeText = ElementTypeText(button.ElementType);
    AddressNames names = RestoreSectionAddress(doc, ButtonRepair(button, word, bitCode, g, doc));
    button.GroupName = std::move(names.group);
    button.ElementName = std::move(names.element);
    if (button.HasSingleWordValues()) {
        // Signed buttons keep negative values sign-extended, as the dialog does.
        const bool isSigned = button.DisplayFormat == 2;
        auto value16 = [&] { return isSigned ? int(std::int16_t(in.U16Le())) : int(in.U16Le()); };
        button.Value = value16();
        button.Step = value16();
        button.Limit = value16();
    } else {
        button.Value = in.I32Le();
        button.Step = in.I32Le();
        button.Limit = in.I32Le();
    }
    return button;
}

} // namespace

void WriteGlobalButtonSection(ByteWriter& out, const CVX50TextDoc& doc)
{
    out.U8(static_cast<std::uint8_t>(doc.GlobalButtons.size()));
    for (const GlobalButton& button : doc.GlobalButtons)
        WriteButton(out, button, doc);
}

void ReadGlobalButtonSection(ByteReader& in, CVX50TextDoc& doc)
{
    const int count = in.U8();
    doc.GlobalButtons.clear();
    for (int i = 0; i < count; ++i)
        doc.GlobalButtons.push_back(ReadButton(in, doc));
}
