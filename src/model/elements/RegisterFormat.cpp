#include "model/elements/RegisterFormat.h"

#include <algorithm>

int RegisterMaxDigits(int registerCount, int wordSize)
{
    return registerCount == 1 && wordSize == 16 ? 5 : 10;
}

void ClampRegisterDigits(int registerCount, int wordSize, int& digits, int& decimals)
{
    digits = std::clamp(digits, 1, RegisterMaxDigits(registerCount, wordSize));
    decimals = std::clamp(decimals, 0, digits);
}

std::string WithDecimalPoint(const std::string& digitText, int digits, int decimals)
{
    if (decimals <= 0)
        return digitText;
    if (decimals >= digits)
        return "0." + digitText;
    const size_t whole = std::min(static_cast<size_t>(digits - decimals), digitText.size());
    return digitText.substr(0, whole) + "." + digitText.substr(whole);
}
