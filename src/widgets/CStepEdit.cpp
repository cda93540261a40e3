#include "widgets/CStepEdit.h"

#include "base/GbkText.h"
#include "base/ValueText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace {

// The width of an edit that has not been told its longest value, and the
// narrowest edit, whatever it accepts.
constexpr int kMinEditWidth = 60;
constexpr int kNarrowestEdit = 36;
// The gap the line edit keeps on each side of its text, and the caret.
constexpr int kTextGap = 2;
constexpr int kCaretWidth = 1;

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
    m_edit->setMinimumWidth(kMinEditWidth);
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

void CStepEdit::SetLongestText(const QString& text)
{
    // As the line edit sizes itself, for this text instead of 17 x's.
    QStyleOptionFrame option;
    option.initFrom(m_edit);
    option.lineWidth = m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_edit);
    const QMargins margins = m_edit->textMargins();
    const int textWidth = m_edit->fontMetrics().horizontalAdvance(text) + 2 * kTextGap + kCaretWidth
        + margins.left() + margins.right();
    const QSize frame = m_edit->style()->sizeFromContents(
        QStyle::CT_LineEdit, &option, QSize(textWidth, m_edit->fontMetrics().height()), m_edit);
    m_edit->setMinimumWidth(std::max(kNarrowestEdit, frame.width()));
}

void CStepEdit::FitAnyValue()
{
    QString widest;
    for (const auto [field, format] : {std::pair{std::int32_t{-1}, NumberFormat::Unsigned},
             std::pair{std::numeric_limits<std::int32_t>::min(), NumberFormat::Signed},
             std::pair{std::int32_t{-1}, NumberFormat::Hex}}) {
        const QString text = QStringFromGbk(FormatValueText(field, format, 32));
        if (m_edit->fontMetrics().horizontalAdvance(text) > m_edit->fontMetrics().horizontalAdvance(widest))
            widest = text;
    }
    SetLongestText(widest);
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
