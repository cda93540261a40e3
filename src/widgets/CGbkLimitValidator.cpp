#include "widgets/CGbkLimitValidator.h"

#include "base/GbkText.h"

CGbkLimitValidator::CGbkLimitValidator(int maxBytes, QObject* parent)
    : QValidator(parent)
    , m_maxBytes(maxBytes)
{
}

QValidator::State CGbkLimitValidator::validate(QString& input, int&) const
{
    return GbkFromQString(input).size() <= static_cast<std::size_t>(m_maxBytes) ? Acceptable : Invalid;
}
