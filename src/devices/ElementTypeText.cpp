#include "devices/ElementTypeText.h"

#include "StringIds.h"
#include "base/StringTable.h"

std::string ElementTypeText(int wordSize)
{
    // Converted once: every element record that is read asks for one of them.
    static const std::string bit = StringGbk(IdsBitElementType);
    static const std::string word16 = StringGbk(IdsWord16ElementType);
    static const std::string word32 = StringGbk(IdsWord32ElementType);
    return wordSize == 0 ? bit : wordSize == 16 ? word16 : word32;
}

const PackedText& SharedElementTypeText(int wordSize)
{
    static const PackedText bit(ElementTypeText(0));
    static const PackedText word16(ElementTypeText(16));
    static const PackedText word32(ElementTypeText(32));
    return wordSize == 0 ? bit : wordSize == 16 ? word16 : word32;
}
