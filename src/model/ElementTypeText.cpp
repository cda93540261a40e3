#include "model/ElementTypeText.h"

#include "StringTable.h"

std::string ElementTypeText(int elementType)
{
    switch (elementType) {
    case 0:
        return StringGbk(61298);
    case 16:
        return StringGbk(61299);
    default:
        return StringGbk(61300);
    }
}
