#include "model/elements/RegisterPreviewText.h"

std::string RegisterPreviewText(int digits, int decimals, bool isSigned, bool hexBcd, int alignment,
                                int registerCount, int wordSize)
{
    int offset = 0;
    if (alignment == 1) {
        const bool narrow = registerCount == 1 && wordSize == 16;
        const int fullWidth = narrow ? (hexBcd ? 4 : 5) : (hexBcd ? 8 : 10);
        offset = fullWidth - digits;
    }
    std::string text = isSigned ? "-" : "";
    if (decimals == digits && decimals > 0)
        text += "0.";
    for (int i = 1; i <= digits; ++i) {
        text += static_cast<char>('0' + ((i + offset) % 10 + 10) % 10);
        if (i == digits - decimals && i < digits)
            text += '.';
    }
    return text;
}
