#include "StringIds.h"
#include "devices/AddressTableFile.h"
#include "model/CVX50TextDoc.h"
#include "base/FileIo.h"
#include "base/ProgramPaths.h"
#include "model/projectfile/ProjectFile.h"
#include "model/projectfile/ProjectSections.h"
#include "base/ShortText.h"
#include "base/UserInterface.h"

#include <algorithm>

namespace {

// A screen's element count is stored in one byte.
constexpr std::size_t MaxElementsPerScreen = 255;
// The screen record's text area holds 999 bytes and a terminator.
constexpr std::size_t MaxDescriptionBytes = 999;

// The device's address-table file as it stands on disk. A project whose
// device is user-defined must always carry its table, so a missing file is
// replaced by the text the table writer would produce from the table in
// memory.
std::string EmbeddedTable(const CVX50TextDoc& doc)
{
    if (IsSafeDeviceName(doc.DeviceName))
        if (std::optional<std::string> bytes = ReadWholeFile(DeviceTablePath(doc.DeviceName), kMaxTableFileBytes))
            return *bytes;
    return FormatAddressTable(doc.GetDeviceKeys(), doc.DeviceName, doc.AddressTable);
}

void WriteScreenRecord(ByteWriter& out, const ScreenRecord& screen)
{
    const std::string_view description = GbkPrefix(screen.Description, MaxDescriptionBytes);
    out.U16Be(static_cast<std::uint16_t>(description.size()));
    out.Bytes(description);
    out.U8(0);
    out.U16Le(static_cast<std::uint16_t>(screen.Number));
    out.U16Le(static_cast<std::uint16_t>(screen.UpKeyScreen));
    out.U16Le(static_cast<std::uint16_t>(screen.DownKeyScreen));
    out.U8(static_cast<std::uint8_t>(screen.Elements.size()));
    out.U8(static_cast<std::uint8_t>(screen.Port));
}

bool FitsTheFile(const CVX50TextDoc& doc)
{
    return std::all_of(doc.Screens.begin(), doc.Screens.end(),
                       [](const ScreenRecord& s) { return s.Elements.size() <= MaxElementsPerScreen; });
}

} // namespace

void WriteProjectHeader(ByteWriter& out)
{
    WriteShortText(out, std::to_string(ProjectFileVersion));
}

std::uint8_t DisplayFlagsByte(bool displaySetting, const AddressTable& table, bool useProtocolLibrary)
{
    const auto last32 = std::find_if(table.rbegin(), table.rend(),
                                     [](const ElementGroup& g) { return g.elementType == Word32ElementType; });
    const bool interval2 = last32 != table.rend() && last32->interval32 == 2;
    return static_cast<std::uint8_t>((displaySetting ? DisplaySettingFlag : 0)
        | (useProtocolLibrary ? 0 : PlainAddressesFlag) | (interval2 ? Interval2Flag : 0));
}

bool WriteProjectBody(ByteWriter& out, CVX50TextDoc& doc)
{
    doc.TidyAndCommitWorkingElements();
    if (!FitsTheFile(doc)) {
        CurrentUi().ShowMessage(IdsScreenTooLarge);
        return false;
    }
    UserInterface& ui = CurrentUi();
    const int screenCount = static_cast<int>(doc.Screens.size());
    ui.ProgressBegin(screenCount + 3);
    ui.ProgressCaption(IdsSaveProjectCaption, IdsSaveProjectProgress); // "保存工程", "正在保存工程..."

    out.U16Le(static_cast<std::uint16_t>(screenCount));
    out.U8(static_cast<std::uint8_t>(doc.CommBufferLength / 10));
    WriteShortText(out, doc.DeviceName);
    // The file knows the flag as 0 or 1 only: the reader takes the embedded
    // table after a 1 and nothing after any other byte.
    const bool embedTable = doc.TableEditable != 0;
    out.U8(embedTable ? 1 : 0);
    if (embedTable) {
        const std::string table = EmbeddedTable(doc);
        out.U32Be(static_cast<std::uint32_t>(table.size()));
        out.Bytes(table);
    }
    ui.ProgressStep(1);

    for (int i = 0; i < screenCount; ++i) {
        const ScreenRecord& screen = doc.Screens[static_cast<std::size_t>(i)];
        WriteScreenRecord(out, screen);
        for (const ElementRef& ref : screen.Elements) {
            out.U8(static_cast<std::uint8_t>(ref.kind));
            ref.element->WriteProjectRecord(out, doc);
        }
        ui.ProgressStep(i + 2);
    }

    WriteProjectWideSections(out, doc);
    ui.ProgressStep(screenCount + 2);
    ui.ProgressEnd();
    return true;
}

bool SaveProjectFile(CVX50TextDoc& doc, const std::string& path, bool displaySetting)
{
    ByteWriter out;
    WriteProjectHeader(out);
    out.U8(DisplayFlagsByte(displaySetting, doc.AddressTable, doc.UseProtocolLibrary != 0));
    if (!WriteProjectBody(out, doc))
        return false;
    if (!WriteFileAtomically(path, out.Data())) {
        CurrentUi().ShowMessage(IdsSaveOrOpenFailed);
        return false;
    }
    CurrentUi().ShowMessage(IdsProjectSaved);
    return true;
}
