// Feeds arbitrary bytes to the project-file reader: every input must end in
// a loaded project or a refusal, never in a crash or a sanitizer report.
#include "BuildProgramFolder.h"
#include "model/CVX50TextDoc.h"
#include "model/projectfile/ProjectFile.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Device tables that inputs embed are written below a folder of their own.
    static QTemporaryDir folder;
    UseProgramFolderIn(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVX50TextDoc doc;
    bool displaySetting = true;
    ReadProject(doc, std::string_view(reinterpret_cast<const char*>(data), size), displaySetting);
    return 0;
}
