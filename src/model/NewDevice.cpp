#include "model/NewDevice.h"

#include "StringIds.h"
#include "devices/AddressFileText.h"
#include "devices/AddressTableFile.h"
#include "devices/DeviceKeys.h"
#include "devices/DeviceNameRules.h"
#include "model/CVX50TextDoc.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"

namespace {

int Refusal(const std::string& name, const NewDeviceEntry& entry, const CVX50TextDoc& doc)
{
    if (const int refusal = DeviceNameRefusal(name, doc.DeviceNames))
        return refusal;
    if (entry.protocol.empty())
        return IdsNoProtocolChosen;
    if (entry.bufferLength < kMinCommBuffLength || entry.bufferLength > kMaxCommBuffLength)
        return IdsBufferLengthRange;
    return 0;
}

} // namespace

int CreateNewDevice(CVX50TextDoc& doc, const NewDeviceEntry& entry)
{
    const std::string name(Trim(entry.name));
    if (const int refusal = Refusal(name, entry, doc)) {
        CurrentUi().ShowMessage(refusal);
        return refusal;
    }
    const DeviceKeys keys{entry.protocol + ".dll", 1, static_cast<int>(entry.bufferLength), entry.wordOrder};
    if (!WriteAddressTableFile(DeviceTablePath(name), keys, name, {})) {
        CurrentUi().ShowMessage(IdsSaveAddressTableFailed);
        return IdsSaveAddressTableFailed;
    }
    doc.DeviceName = name;
    doc.DeviceNames.push_back(name);
    doc.ProtocolLibraryName = keys.dllName;
    doc.TableEditable = 1;
    doc.CommBufferLength = keys.commBuffLength;
    doc.HighFront = keys.highFront;
    doc.AddressTable.clear();
    return 0;
}
