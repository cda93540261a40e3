#include "model/ElementTypeText.h"

#include "StringTable.h"

std::string ElementTypeText(int wordSize)
{
    return StringGbk(wordSize == 0 ? 61298 : wordSize == 16 ? 61299 : 61300);
}
