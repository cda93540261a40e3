#include "settings/ui/CAlarmListCtrl.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "settings/AlarmGridLayout.h"
#include "settings/ui/CAlarmCellEdit.h"
#include "settings/ui/CAlarmScrollBar.h"
#include "widgets/UiText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QWheelEvent>

using namespace AlarmGridLayout;

namespace {

// The row lines' grey.
const QColor GridLineColor(190, 190, 190);

// The outline of the pixels from (left, top) to (right, bottom), both ends
// excluded.
void Outline(QPainter& painter, int left, int top, int right, int bottom)
{
    painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

} // namespace

CAlarmListCtrl::CAlarmListCtrl(const AddressTable& table, std::vector<AlarmSegment> segments, int current,
                               QWidget* parent)
    : QWidget(parent)
    , m_grid(table, std::move(segments), current)
    , m_scrollBar(new CAlarmScrollBar(this))
{
    setObjectName(QStringLiteral("alarmGrid"));
    setFixedSize(Width, Height);
    // A click does not take the focus from the editor: the click itself
    // commits and moves the editor.
    setFocusPolicy(Qt::TabFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_scrollBar->setGeometry(Width - ScrollBarWidth, HeaderHeight, ScrollBarWidth, Height - HeaderHeight);
    connect(m_scrollBar, &QScrollBar::valueChanged, this,
            [this](int position) { Perform([position](AlarmGrid& g) { g.Scroll(position); }); });
    Show();
}

void CAlarmListCtrl::Perform(const std::function<void(AlarmGrid&)>& change)
{
    if (m_performing)
        return;
    m_performing = true;
    const int refusals = m_grid.Refusals();
    change(m_grid);
    Show();
    // The editor of a refused alarm stays open for the keys typed next,
    // wherever the message box or the click that left it put the focus.
    if (m_grid.Refusals() != refusals && m_editor) {
        window()->activateWindow();
        m_editor->setFocus(Qt::OtherFocusReason);
    }
    m_performing = false;
}

CAlarmCellEdit* CAlarmListCtrl::Editor() const
{
    return m_editor;
}

void CAlarmListCtrl::EditorEdited(const QString& text)
{
    const std::string typed = GbkFromQString(text);
    Perform([&typed](AlarmGrid& g) { g.Type(typed); });
}

void CAlarmListCtrl::EditorLeft()
{
    // A click on Cancel ends the dialog and drops the typed text: checking
    // it on the way (and refusing it) would hold the click back.
    if (m_cancel && QApplication::focusWidget() == m_cancel)
        return;
    Perform([](AlarmGrid& g) { g.LeaveEditor(); });
}

void CAlarmListCtrl::DropEditor()
{
    if (m_editor)
        m_editor->Detach();
}

void CAlarmListCtrl::GridKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Perform([](AlarmGrid& g) { g.Enter(); }); break;
    case Qt::Key_Up: Perform([](AlarmGrid& g) { g.Up(); }); break;
    case Qt::Key_Down: Perform([](AlarmGrid& g) { g.Down(); }); break;
    default: break;
    }
}

void CAlarmListCtrl::Wheeled(int distance)
{
    Perform([distance](AlarmGrid& g) { g.Wheel(distance); });
}

void CAlarmListCtrl::Show()
{
    ShowScrollBar();
    ShowEditor();
    update();
}

void CAlarmListCtrl::ShowScrollBar()
{
    const QSignalBlocker quiet(m_scrollBar);
    m_scrollBar->setRange(0, m_grid.ScrollMaximum());
    m_scrollBar->setValue(m_grid.ScrollPosition());
    m_scrollBar->setVisible(m_grid.ScrollBarShown());
}

void CAlarmListCtrl::ShowEditor()
{
    if (m_editor && (!m_grid.EditorOpen() || m_grid.EditorSerial() != m_editorSerial))
        CloseEditor();
    if (!m_grid.EditorOpen())
        return;
    if (!m_editor) {
        OpenEditor();
        return;
    }
    // The grid cut the text or cleared a refused alarm.
    const std::string& text = m_grid.Shown().Entries[static_cast<std::size_t>(m_grid.CurrentRow())].Text;
    if (GbkFromQString(m_editor->text()) != text)
        m_editor->setText(QStringFromGbk(text));
}

void CAlarmListCtrl::CloseEditor()
{
    CAlarmCellEdit* editor = m_editor;
    m_editor = nullptr;
    editor->Detach();
    // Hiding a focused widget would pass the focus on along the dialog's
    // chain, to its OK perhaps.
    if (editor->hasFocus())
        setFocus(Qt::OtherFocusReason);
    editor->hide();
    editor->deleteLater();
}

void CAlarmListCtrl::OpenEditor()
{
    const int displayRow = m_grid.CurrentRow() - m_grid.TopRow();
    const std::string& text = m_grid.Shown().Entries[static_cast<std::size_t>(m_grid.CurrentRow())].Text;
    m_editor = new CAlarmCellEdit(this, QStringFromGbk(text),
                                  m_grid.NewEditorShows() == AlarmGrid::EditorText::Selected);
    m_editorSerial = m_grid.EditorSerial();
    const int right = Width - 1 - m_grid.TextColumnInset();
    m_editor->setGeometry(NameColumnWidth, RowHeight * displayRow + HeaderHeight + 1, right - NameColumnWidth,
                          RowHeight - 2);
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void CAlarmListCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintHeader(painter);
    const int right = Width - m_grid.TextColumnInset();
    const auto& rows = m_grid.Shown().Entries;
    for (int d = 0; m_grid.TopRow() + d < static_cast<int>(rows.size()) && d <= VisibleRows; ++d) {
        const AlarmEntry& row = rows[static_cast<std::size_t>(m_grid.TopRow() + d)];
        const int top = HeaderHeight + RowHeight * d;
        painter.setPen(QPen(GridLineColor, 1));
        Outline(painter, 0, top, NameColumnWidth, top + RowHeight + 1);
        Outline(painter, NameColumnWidth - 1, top, right, top + RowHeight + 1);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(5, top + 1, NameColumnWidth - 6, RowHeight - 1), Qt::AlignLeft | Qt::AlignTop,
                         QStringFromGbk(row.ElementName));
        painter.drawText(QRect(NameColumnWidth + 1, top + 1, right - NameColumnWidth - 2, RowHeight - 1),
                         Qt::AlignLeft | Qt::AlignTop, QStringFromGbk(row.Text));
    }
}

// The header of two fixed columns; it takes no clicks.
void CAlarmListCtrl::PaintHeader(QPainter& painter) const
{
    const QRect header(0, 0, Width, HeaderHeight);
    painter.fillRect(header, palette().button());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, HeaderHeight - 1, Width - 1, HeaderHeight - 1);
    painter.drawLine(NameColumnWidth - 1, 0, NameColumnWidth - 1, HeaderHeight - 1);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(5, 0, NameColumnWidth - 6, HeaderHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     UiText(IdsAlarmColumnName));
    painter.drawText(QRect(NameColumnWidth + 5, 0, TextColumnWidth - 6, HeaderHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, UiText(IdsAlarmColumnText));
}

void CAlarmListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    Perform([point](AlarmGrid& g) { g.Click(point.x(), point.y()); });
}

void CAlarmListCtrl::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
        event->accept();
        GridKey(event->key());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CAlarmListCtrl::wheelEvent(QWheelEvent* event)
{
    event->accept();
    Wheeled(event->angleDelta().y());
}
