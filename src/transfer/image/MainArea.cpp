#include "transfer/image/MainArea.h"

#include "base/ByteWriter.h"
#include "base/FileIo.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"
#include "devices/AddressTableFile.h"
#include "devices/DeviceKeys.h"
#include "model/CVX50TextDoc.h"
#include "transfer/image/PanelGlyph.h"
#include "StringIds.h"

#include <stdexcept>

namespace {

// The text's length field holds 16 bits; a longer file is not carried.
constexpr std::size_t kLongestTableText = 0xFFFF;

} // namespace

std::string GlyphTableBytes(const UsedCharTable& table, const UnifontFont* font)
{
    const int n = table.Count();
    ByteWriter out;
    out.U16Be(static_cast<std::uint16_t>(n));
    for (int k = 0; k < n; ++k) {
        const std::optional<PanelGlyph> glyph
            = font ? GlyphOfGbkCharacter(table[k].lead, table[k].trail, *font) : std::nullopt;
        const PanelGlyph bytes = glyph.value_or(PanelGlyph{});
        out.Bytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    for (int k = 0; k < n; ++k) {
        out.U8(static_cast<std::uint8_t>(table[k].lead - 0xA1));
        out.U8(static_cast<std::uint8_t>(table[k].trail - 0xA1));
    }
    return out.Take();
}

EmbeddedTableText ReadEmbeddedTableText(const CVX50TextDoc& doc)
{
    if (doc.TableEditable != 1 || IsBuiltInDeviceName(doc.DeviceName) || !IsSafeDeviceName(doc.DeviceName))
        return {};
    std::optional<std::string> file = ReadWholeFile(DeviceTablePath(doc.DeviceName), kMaxTableFileBytes);
    if (!file)
        return {};
    EmbeddedTableText embedded;
    embedded.length = static_cast<int>(file->size());
    if (file->size() < kLongestTableText)
        embedded.text = std::move(*file);
    return embedded;
}

int ImageBlockCount(int length)
{
    return (length + kImageBlockSize - 1) / kImageBlockSize;
}

bool FitsPanel(int length)
{
    return length + kBlockOverhead * ImageBlockCount(length) <= kPanelCapacity;
}

std::optional<MainArea> AssembleMainArea(const std::string& glyphTable, const ProjectData& data,
    const EmbeddedTableText& tableText, bool tableEditable, UserInterface& ui)
{
    ByteWriter out;
    out.Bytes(glyphTable);
    out.Bytes(data.bytes);
    MainArea area;
    area.projectDataOffset = static_cast<int>(glyphTable.size());
    const int withText = static_cast<int>(out.Size()) + 2 + tableText.length;
    if (FitsPanel(withText)) {
        out.U16Be(static_cast<std::uint16_t>(tableText.length));
        out.Bytes(tableText.text);
    } else {
        if (tableEditable && ui.ShowMessage(IdsProjectTooLargeToReadBack, MbYesNo | MbIconQuestion) != IdYes) {
            return std::nullopt;
        }
        area.notReadable = true;
        if (!FitsPanel(static_cast<int>(out.Size()))) {
            ui.ShowMessage(IdsResourceLimitExceeded);
            return std::nullopt;
        }
    }
    area.blockCount = ImageBlockCount(static_cast<int>(out.Size()));
    const std::string& bytes = out.Data();
    area.bytes.assign(bytes.begin(), bytes.end());
    area.bytes.resize(static_cast<std::size_t>(area.blockCount) * kImageBlockSize, 0);
    return area;
}
