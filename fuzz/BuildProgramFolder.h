#pragma once

// The fuzz targets and the seed tool run without a QCoreApplication, so the
// program folder is not found on its own: it is the executable's folder of
// the build, where the protocol libraries are.

#include "base/ProgramPaths.h"

#include <filesystem>

inline void UseBuildProgramFolder()
{
    SetProgramFolder(std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/");
}
