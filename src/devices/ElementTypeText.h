#pragma once

#include "base/PackedText.h"

#include <string>

// The element-type text that address-bound elements keep for a word size:
// "位元件" for 0, "16位字元件" for 16, "32位字元件" for any other (GBK).
std::string ElementTypeText(int wordSize);

// The same text as one value that the elements of that word size share:
// a large project has tens of thousands of them.
const PackedText& SharedElementTypeText(int wordSize);
