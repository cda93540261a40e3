// Feeds arbitrary bytes to the rebuild of a project from a panel image: the
// first 2048 bytes are the header area, the rest the main area (as the read
// command takes them from the panel). Every input must end in a rebuilt
// project or a refusal, never in a crash or a sanitizer report.
#include "BuildProgramFolder.h"
#include "base/FileIo.h"
#include "base/FormatError.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"
#include "devices/AddressTableFile.h"
#include "model/CVX50TextDoc.h"
#include "model/ProjectReset.h"
#include "transfer/image/HeaderArea.h"
#include "transfer/image/ImageRebuild.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// The header area as the read command takes it from the panel.
constexpr std::size_t kHeaderLength = kReadBackHeaderLength;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The device file of the seed's device and the build's protocol
    // libraries, below a folder of their own (images may embed a table).
    static QTemporaryDir folder;
    UseProgramFolderIn(folder);
    DeviceKeys keys;
    keys.dllName = "ModBus Slave.dll";
    WriteFileAtomically(DeviceTablePath("PN07"), FormatAddressTable(keys, "PN07", {}));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> header(kHeaderLength, 0);
    std::copy_n(data, std::min(size, kHeaderLength), header.begin());
    const std::vector<std::uint8_t> main(data + std::min(size, kHeaderLength), data + size);
    CVX50TextDoc doc;
    ResetProjectForNew(doc);
    ProtocolFunctionTable protocol;
    try {
        const ImageHeaderFacts facts = ApplyHeaderSettings(doc, header);
        RebuildFromImage(doc, protocol, facts, header, main, CurrentUi(), [] {});
    } catch (const FormatError&) {
    }
    return 0;
}
