#include "model/AddressRepair.h"
#include "model/CVX50TextDoc.h"
#include "model/ElementTypeText.h"
#include "model/ProjectSections.h"
#include "model/SectionAddress.h"

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
void RestoreNames(GlobalButton& button, int word, int bitCode, int g, CVX50TextDoc& doc)
{
    AddressRepair::NewGroup group;
    DeviceElement element;
    element.wordAddress = word;
    if (bitCode >= 0x80) {
        group = {IndexName("BIT", g), button.ElementType, WordBitMode, 1};
        element.bit = bitCode - 0x80;
        element.name = HexBitName(word, element.bit);
    } else if (button.ElementType == BitElementType) {
        group = {IndexName("BIT", g), BitElementType, CoilOrMultiWriteMode, 1};
        element.bit = bitCode;
        element.name = HexName("B", word);
    } else if (button.ElementType == Word16ElementType) {
        group = {IndexName("WORD", g), Word16ElementType, CoilOrMultiWriteMode, 1};
        element.name = HexName("W", word);
    } else {
        group = {IndexName("DWORD", g), Word32ElementType, CoilOrMultiWriteMode, doc.Register32Interval};
        element.name = HexName("DW", word);
    }
    AddressRepair repair(doc);
    AddressNames names = repair.Restore(g, word, BitFromBitCode(bitCode), group, element);
    button.GroupName = std::move(names.group);
    button.ElementName = std::move(names.element);
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
    RestoreNames(button, word, bitCode, g, doc);
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
