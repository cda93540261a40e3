#include "support/TestPaths.h"

#include <cstdlib>

std::string SourceDir()
{
    const char* dir = std::getenv("VX50_SOURCE_DIR");
    return dir ? std::string(dir) : std::string(VX50_SOURCE_DIR_DEFAULT);
}
