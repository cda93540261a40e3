#include "widgets/CSpinEdit.h"

#include "base/UserInterface.h"
#include "widgets/CDigitCountValidator.h"
#include "widgets/NumberPrompts.h"

#include <QLineEdit>

#include <algorithm>

namespace {

std::optional<int> EditValue(const QLineEdit& edit)
{
    bool ok = false;
    const int value = edit.text().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<int> ReadEditInteger(const QLineEdit& edit)
{
    const std::optional<int> value = EditValue(edit);
    if (!value)
        CurrentUi().ShowMessageText(IntegerPromptText(), MbOk | MbIconWarning);
    return value;
}

} // namespace

CSpinEdit::CSpinEdit(int min, int max, QWidget* parent)
    : CStepEdit(parent)
    , m_min(min)
    , m_max(max)
    , m_digits(new CDigitCountValidator(min, max, this))
{
    Edit()->setValidator(m_digits);
    SetTypedRange(min, max);
    connect(this, &CStepEdit::Stepped, this, &CSpinEdit::Step);
}

void CSpinEdit::SetRange(int min, int max)
{
    m_min = min;
    m_max = max;
    SetTypedRange(min, max);
}

void CSpinEdit::SetTypedRange(int min, int max)
{
    m_digits->SetRange(min, max);
    const QString low = QString::number(min);
    const QString high = QString::number(max);
    const QFontMetrics metrics = Edit()->fontMetrics();
    SetLongestText(metrics.horizontalAdvance(low) > metrics.horizontalAdvance(high) ? low : high);
}

void CSpinEdit::SetValue(int value)
{
    if (Value() != value)
        Edit()->setText(QString::number(value));
}

std::optional<int> CSpinEdit::Value() const
{
    return EditValue(*Edit());
}

std::optional<int> CSpinEdit::ReadInteger() const
{
    return ReadEditInteger(*Edit());
}

std::optional<int> CSpinEdit::ReadValue(int min, int max) const
{
    return ReadFieldValue(*Edit(), min, max);
}

void CSpinEdit::Step(int delta)
{
    const int from = Value().value_or(m_min);
    Edit()->setText(QString::number(std::clamp(from + delta, m_min, m_max)));
    emit Edited();
}

std::optional<int> ReadFieldValue(const QLineEdit& edit, int min, int max)
{
    const std::optional<int> value = ReadEditInteger(edit);
    if (value && (*value < min || *value > max)) {
        CurrentUi().ShowMessageText(RangePromptText(min, max), MbOk | MbIconWarning);
        return std::nullopt;
    }
    return value;
}
