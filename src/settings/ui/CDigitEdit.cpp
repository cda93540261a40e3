#include "settings/ui/CDigitEdit.h"

#include <QMouseEvent>

#include <algorithm>

CDigitEdit::CDigitEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setMaxLength(4);
}

void CDigitEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    m_pressPosition = cursorPositionAt(event->position().toPoint());
}

void CDigitEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    const int release = std::max(0, cursorPositionAt(event->position().toPoint()));
    const int from = std::min(m_pressPosition, release);
    const int to = std::max(m_pressPosition, release);
    setSelection(from, from == to ? 1 : to - from);
}
