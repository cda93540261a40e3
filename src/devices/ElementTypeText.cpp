#include "devices/ElementTypeText.h"

#include "StringTable.h"

std::string ElementTypeText(int wordSize)
{
    // Converted once: every element record that is read asks for one of them.
    static const std::string bit = StringGbk(61298);
    static const std::string word16 = StringGbk(61299);
    static const std::string word32 = StringGbk(61300);
    return wordSize == 0 ? bit : wordSize == 16 ? word16 : word32;
}
