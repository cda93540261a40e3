#pragma once

#include <string>

// The text shown for an element type (GBK): 0 "位元件", 16 "16位字元件",
// any other "32位字元件".
std::string ElementTypeText(int elementType);
