#include "pages/RegisterDigits.h"

#include "model/elements/CRegisterElement.h"
#include "model/elements/RegisterFormat.h"
#include "model/elements/RegisterPreviewText.h"
#include "pages/DisplayFit.h"

#include <algorithm>

namespace {

constexpr int kCharWidth = 8;
constexpr int kCharHeight = 16;

} // namespace

int RegisterDigitMaximum(bool hexBcd, int wordSize, int registerCount)
{
    if (!hexBcd)
        return RegisterMaxDigits(registerCount, wordSize);
    return wordSize == 16 && registerCount == 1 ? 4 : 8;
}

int RegisterDigitMaximum(const CRegisterElement& reg)
{
    return RegisterDigitMaximum(reg.IsHexBcd(), reg.WordSize, reg.RegisterCount);
}

bool SetRegisterDigits(CRegisterElement& reg, int digits)
{
    if (digits < 1 || digits > RegisterDigitMaximum(reg))
        return false;
    reg.Digits = digits;
    reg.Decimals = std::min(reg.Decimals, digits);
    return true;
}

bool SetRegisterDecimals(CRegisterElement& reg, int decimals)
{
    if (decimals < 0 || decimals > RegisterDigitMaximum(reg))
        return false;
    reg.Decimals = decimals;
    reg.Digits = std::max(reg.Digits, decimals);
    return true;
}

void FitRegisterDigitsToWidth(CRegisterElement& reg)
{
    const int maximum = RegisterDigitMaximum(reg);
    const int single16Maximum = RegisterDigitMaximum(reg.IsHexBcd(), 16, 1);
    if (maximum == single16Maximum) {
        reg.Digits = std::min(reg.Digits, maximum);
        reg.Decimals = std::min(reg.Decimals, maximum);
    } else if (reg.Digits == single16Maximum) {
        reg.Digits = maximum;
    }
}

void MakeRegisterHexBcd(CRegisterElement& reg)
{
    reg.SetHexBcd(1);
    reg.SetSigned(0);
    reg.Decimals = 0;
    reg.Digits = std::min(reg.Digits, RegisterDigitMaximum(reg));
}

void MakeRegisterDecimal(CRegisterElement& reg)
{
    reg.SetHexBcd(0);
    if (reg.Digits == RegisterDigitMaximum(true, reg.WordSize, reg.RegisterCount))
        reg.Digits = RegisterDigitMaximum(reg);
}

DotSize RegisterPreviewSize(int length, bool doubleSize)
{
    const int scale = doubleSize ? 2 : 1;
    return {length * kCharWidth * scale, kCharHeight * scale};
}

void UpdateRegisterPreview(CRegisterElement& reg, bool pullUp)
{
    const std::string text = RegisterPreviewText(reg.Digits, reg.Decimals, reg.IsSigned(), reg.IsHexBcd(),
        reg.GetAlignment(), reg.RegisterCount, reg.WordSize);
    reg.SetPreviewText(text);
    const DotSize size = RegisterPreviewSize(static_cast<int>(text.size()), reg.GetDoubleSize());
    reg.SetSize(size.width, size.height);
    const DotPoint at = reg.GetPosition();
    reg.SetPosition(PullInside(at.x, size.width, kDisplayWidth),
        pullUp ? PullInside(at.y, size.height, kDisplayHeight) : at.y);
}
