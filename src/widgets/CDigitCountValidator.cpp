#include "widgets/CDigitCountValidator.h"

#include <algorithm>
#include <cstdlib>

namespace {

int DigitsOf(int value)
{
    return static_cast<int>(QString::number(std::abs(static_cast<long long>(value))).size());
}

} // namespace

CDigitCountValidator::CDigitCountValidator(int min, int max, QObject* parent)
    : QValidator(parent)
{
    SetRange(min, max);
}

void CDigitCountValidator::SetRange(int min, int max)
{
    m_maxDigits = std::max(DigitsOf(min), DigitsOf(max));
}

QValidator::State CDigitCountValidator::validate(QString& input, int&) const
{
    const auto digits = std::count_if(input.cbegin(), input.cend(), [](QChar c) { return c.isDigit(); });
    return digits > m_maxDigits ? Invalid : Acceptable;
}
