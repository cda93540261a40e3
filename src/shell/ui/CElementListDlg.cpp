#include "shell/ui/CElementListDlg.h"

#include "shell/ui/CanvasPageHost.h"
#include "model/CVX50TextDoc.h"
#include "shell/ElementListRows.h"
#include "base/GbkText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

namespace {

constexpr int CaptionHeight = 20;

} // namespace

CElementListDlg::CElementListDlg(CVX50TextDoc& document, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_caption(new QLabel(QStringLiteral("画面数据"), this))
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ScreenDataWindow"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSortingEnabled(false);
    m_list->setFrameShape(QFrame::StyledPanel);
    // Enter, Esc and the arrows neither move the rows' selection nor close
    // anything.
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CElementListDlg::SelectInEditor);
    RefreshList(1);
}

void CElementListDlg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_caption->setGeometry(0, 0, width(), CaptionHeight);
    m_list->setGeometry(0, CaptionHeight, width(), height() - CaptionHeight);
}

bool CElementListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CElementListDlg::RefreshList(int rebuild)
{
    const std::vector<std::string> rows = ElementListRows(m_document.GetWorkingElements());
    const QSignalBlocker quiet(m_list);
    m_list->setUpdatesEnabled(false);
    if (rebuild == 1) {
        m_list->clear();
        for (const std::string& row : rows)
            m_list->addItem(QStringFromGbk(row));
        SelectRowsOfSelectedElements();
    } else {
        // Rows without an element keep their old text until the next rebuild.
        const int count = std::min(m_list->count(), static_cast<int>(rows.size()));
        for (int r = 0; r < count; ++r)
            m_list->item(r)->setText(QStringFromGbk(rows[static_cast<std::size_t>(r)]));
    }
    m_list->setUpdatesEnabled(true);
}

void CElementListDlg::SelectInEditor()
{
    const ElementList& elements = m_document.GetWorkingElements();
    const int n = static_cast<int>(elements.size());
    for (const ElementRef& ref : elements)
        ref.element->Selected = 0;
    int selected = 0;
    std::shared_ptr<CScreenElement> last;
    for (int r = 0; r < m_list->count() && r < n; ++r) {
        if (!m_list->item(r)->isSelected())
            continue;
        last = elements[static_cast<std::size_t>(n - 1 - r)].element;
        last->Selected = 1;
        ++selected;
    }
    if (m_pages && selected == 1)
        m_pages->ShowElementPage(last, false);
    else if (m_pages && selected > 1)
        m_pages->ShowScreenPage();
    if (selected > 0)
        m_list->setFocus();
    if (m_canvas)
        m_canvas->update();
}

void CElementListDlg::SelectRowsOfSelectedElements()
{
    const ElementList& elements = m_document.GetWorkingElements();
    const int n = static_cast<int>(elements.size());
    const QSignalBlocker quiet(m_list);
    for (int r = 0; r < m_list->count() && r < n; ++r) {
        QListWidgetItem* row = m_list->item(r);
        const bool selected = elements[static_cast<std::size_t>(n - 1 - r)].element->Selected == 1;
        row->setSelected(selected);
        if (selected)
            m_list->setCurrentItem(row, QItemSelectionModel::NoUpdate);
    }
}
