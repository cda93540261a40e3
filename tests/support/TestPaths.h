#pragma once

#include <string>

// The source tree's folder, for fixtures kept under tests/.
std::string SourceDir();
