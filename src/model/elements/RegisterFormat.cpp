#include "model/elements/RegisterFormat.h"

#include <algorithm>

DigitLimits RegisterDigitLimits(int registerCount, int wordSize)
{
    if (registerCount == 1 && wordSize == 16)
        return {5, 4};
    return {10, 8};
}

void ClampRegisterDigits(int registerCount, int wordSize, int& digits, int& decimals)
{
    const DigitLimits limits = RegisterDigitLimits(registerCount, wordSize);
    digits = std::clamp(digits, 1, limits.maxDigits);
    decimals = std::clamp(decimals, 0, std::min(limits.maxDecimals, digits));
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
