#include "widgets/CStepEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

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

} // namespace

CStepEdit::CStepEdit(QWidget* parent)
    : QWidget(parent)
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

    connect(m_edit, &QLineEdit::textEdited, this, &CStepEdit::OnTextEdited);
    connect(m_up, &QToolButton::clicked, this, [this] { emit Stepped(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}

QString CStepEdit::Text() const
{
    return m_edit->text();
}

void CStepEdit::PutBack(const QString& text)
{
    m_edit->setText(text);
    m_edit->end(false);
}

void CStepEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        emit Stepped(1);
        break;
    case Qt::Key_Down:
        emit Stepped(-1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CStepEdit::OnTextEdited(const QString& text)
{
    const QString upper = text.toUpper();
    if (upper != text) {
        const int caret = m_edit->cursorPosition();
        m_edit->setText(upper);
        m_edit->setCursorPosition(caret);
    }
    emit Edited();
}
