#include "model/DeviceChoice.h"

#include "StringIds.h"
#include "devices/AddressTableFile.h"
#include "devices/PresetRegisterFile.h"
#include "devices/PresetTextFile.h"
#include "model/CVX50TextDoc.h"
#include "model/ElementRebinding.h"
#include "model/PasswordLevels.h"
#include "model/ProjectReset.h"
#include "base/FileIo.h"
#include "base/FileTooLargeMessage.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"

#include <optional>

namespace {

// The keys and the table of device `name`'s file, starting from the
// project's keys (a key the file lacks keeps the project's value); nothing
// when the file is no usable device file.
struct DeviceFile {
    DeviceKeys keys;
    AddressTable table;
};

std::optional<DeviceFile> ReadDeviceFile(const CVX50TextDoc& doc, const std::string& name)
{
    if (!IsSafeDeviceName(name))
        return std::nullopt;
    const std::string path = DeviceTablePath(name);
    const FileContents contents = ReadBoundedFileWithMessage(path, kMaxTableFileBytes);
    DeviceFile file{doc.GetDeviceKeys(), {}};
    if (!contents.IsRead() || !ReadDeviceKeys(contents.bytes, file.keys, KeyNumberEnd::Semicolon))
        return std::nullopt;
    // The reader shows its own message for a bad table.
    if (!ReadAddressTableOfFile(contents.bytes, path, file.table))
        return std::nullopt;
    if (IsSelectionBuiltInDeviceName(name))
        file.keys.canEdit = 0;
    return file;
}

template <class Preset>
void TakePresets(std::vector<Preset>& presets, std::optional<std::vector<Preset>> read, bool deviceChanged)
{
    if (read)
        presets = std::move(*read);
    else if (deviceChanged)
        presets.clear();
}

void ForgetAddressBoundRecords(CVX50TextDoc& doc)
{
    doc.Panel.AutoScreenSwitch = 0;
    doc.Panel.ClearAfterSwitch = 0;
    doc.Panel.ReportScreen = 0;
    doc.SelectedGlobalButton = 0;
    ClearAddressBoundLists(doc);
    // Without passwords no level can be entered on the panel.
    doc.HighestPasswordLevel = 0;
    ApplyPasswordLevelCount(doc);

    doc.DeviceChange = 1;
    RebindAllElements(doc);
    doc.DeviceChange = 0;
}

void TakeValidPortValues(PortSettings& port, const PortSettings& pending)
{
    if (pending.baud >= 4800 && pending.baud <= 115200)
        port.baud = pending.baud;
    if (pending.parity >= 0 && pending.parity <= 2)
        port.parity = pending.parity;
    if (pending.dataBits == 7 || pending.dataBits == 8)
        port.dataBits = pending.dataBits;
    if (pending.stopBits == 1 || pending.stopBits == 2)
        port.stopBits = pending.stopBits;
}

void SetDefaultPort(CVX50TextDoc& doc, int port)
{
    doc.DefaultPort = port;
    for (ScreenRecord& screen : doc.Screens)
        screen.Port = port;
    for (AlarmSegment& segment : doc.AlarmSegments)
        segment.Port = std::to_string(port);
    for (AlarmBlock& block : doc.AlarmBlocks)
        block.Port = port;
    for (GlobalButton& button : doc.GlobalButtons)
        button.Port = port;
}

void SetDefaultStation(CVX50TextDoc& doc, int station)
{
    doc.DefaultStation = station;
    doc.Panel.PanelStation = station;
    doc.PrepareAllScreensForEdit();
    for (ScreenRecord& screen : doc.Screens)
        for (const ElementRef& ref : screen.Elements)
            ref.element->SetStation(station);
    for (AlarmSegment& segment : doc.AlarmSegments)
        segment.Station = std::to_string(station);
    for (AlarmBlock& block : doc.AlarmBlocks)
        block.Station = station;
    for (GlobalButton& button : doc.GlobalButtons)
        button.Station = station;
}

} // namespace

DeviceState CaptureDeviceState(const CVX50TextDoc& doc)
{
    return {doc.DeviceName, doc.GetDeviceKeys(), doc.AddressTable};
}

void RestoreDeviceState(CVX50TextDoc& doc, const DeviceState& state)
{
    doc.DeviceName = state.name;
    doc.ProtocolLibraryName = state.keys.dllName;
    doc.TableEditable = state.keys.canEdit;
    doc.CommBufferLength = state.keys.commBuffLength;
    doc.HighFront = state.keys.highFront;
    doc.AddressTable = state.table;
}

bool ApplyDeviceChoice(CVX50TextDoc& doc, const DeviceChoice& choice, const std::string& nameAtOpen, bool editing)
{
    auto file = ReadDeviceFile(doc, choice.name);
    if (!file) {
        CurrentUi().ShowMessage(IdsNoDeviceOrBadTable);
        return false;
    }
    doc.CommitWorkingElements();
    RestoreDeviceState(doc, {choice.name, file->keys, std::move(file->table)});
    doc.UseProtocolLibrary = 1;
    CurrentUi().DeviceLoaded();

    const bool deviceChanged = choice.name != nameAtOpen;
    TakePresets(doc.PresetTexts, ReadPresetTextFile(PresetTextPath(choice.name)), deviceChanged);
    TakePresets(doc.PresetRegisters, ReadPresetRegisterFile(PresetRegisterPath(choice.name)), deviceChanged);
    if (deviceChanged && editing)
        ForgetAddressBoundRecords(doc);

    TakeValidPortValues(doc.Rs485Port, choice.rs485);
    TakeValidPortValues(doc.Com1Port, choice.com1);
    if ((choice.defaultPort == 0 || choice.defaultPort == 1) && choice.defaultPort != doc.DefaultPort)
        SetDefaultPort(doc, choice.defaultPort);
    if (choice.defaultStation >= 1 && choice.defaultStation <= 255 && choice.defaultStation != doc.DefaultStation)
        SetDefaultStation(doc, choice.defaultStation);
    return true;
}
