#include "pages/ui/CSpinEdit.h"

#include "base/UserInterface.h"
#include "pages/NumberPrompts.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    return button;
}

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
    : QWidget(parent)
    , m_min(min)
    , m_max(max)
    , m_edit(new QLineEdit(this))
    , m_up(ArrowButton(Qt::UpArrow, this))
    , m_down(ArrowButton(Qt::DownArrow, this))
{
    m_edit->setMinimumWidth(60);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(m_edit);
    row->addLayout(arrows);
    setFocusProxy(m_edit);

    connect(m_edit, &QLineEdit::textEdited, this, &CSpinEdit::Edited);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CSpinEdit::SetValue(int value)
{
    if (Value() != value)
        m_edit->setText(QString::number(value));
}

std::optional<int> CSpinEdit::Value() const
{
    return EditValue(*m_edit);
}

std::optional<int> CSpinEdit::ReadInteger() const
{
    return ReadEditInteger(*m_edit);
}

std::optional<int> CSpinEdit::ReadValue(int min, int max) const
{
    return ReadFieldValue(*m_edit, min, max);
}

void CSpinEdit::Step(int delta)
{
    const int from = Value().value_or(m_min);
    m_edit->setText(QString::number(std::clamp(from + delta, m_min, m_max)));
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
