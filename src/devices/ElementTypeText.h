#pragma once

#include <string>

// The element-type text that address-bound elements keep for a word size:
// "位元件" for 0, "16位字元件" for 16, "32位字元件" for any other (GBK).
std::string ElementTypeText(int wordSize);
