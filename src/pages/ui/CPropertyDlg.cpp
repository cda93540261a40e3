#include "pages/ui/CPropertyDlg.h"

#include "base/UserInterface.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CScreenElement.h"
#include "pages/DisplayFit.h"
#include "widgets/CSpinEdit.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int kMaxStation = 255;

} // namespace

CPropertyDlg::CPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : QFrame(parent)
    , m_document(document)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
}

QHBoxLayout* CPropertyDlg::CreateFrame(const QString& title)
{
    auto* frame = new QGroupBox(title, this);
    auto* row = new QHBoxLayout(frame);
    row->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* page = new QVBoxLayout(this);
    page->addWidget(frame, 0, Qt::AlignLeft | Qt::AlignTop);
    page->addStretch();
    return row;
}

bool CPropertyDlg::focusNextPrevChild(bool next)
{
    QWidget* const start = QApplication::focusWidget();
    if (!start || !isAncestorOf(start))
        return QFrame::focusNextPrevChild(next);
    // The focus chain is a ring through the whole window: the first field of
    // the page met in the Tab direction is the next one, wrapping round.
    for (QWidget* w = next ? start->nextInFocusChain() : start->previousInFocusChain(); w != start;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible()
            && w->isEnabled()) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void CPropertyDlg::RepaintCanvas()
{
    emit CanvasRepaintRequested();
}

void CPropertyDlg::Commit(unsigned steps)
{
    if (steps & MarkModified)
        m_document.ProjectModified = 1;
    if (steps & Repaint)
        RepaintCanvas();
    if (steps & Snapshot)
        m_document.PushUndoSnapshot();
    if (steps & RefreshRow)
        emit ElementRowChanged();
}

QGroupBox* CPropertyDlg::CreatePositionGroup()
{
    auto* group = new QGroupBox(QStringLiteral("坐标"), this);
    m_x = new CSpinEdit(0, kDisplayWidth, group);
    m_y = new CSpinEdit(0, kDisplayHeight, group);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("X:"), m_x);
    form->addRow(QStringLiteral("Y:"), m_y);
    connect(m_x, &CSpinEdit::Edited, this, [this] { OnPositionChange(true); });
    connect(m_y, &CSpinEdit::Edited, this, [this] { OnPositionChange(false); });
    return group;
}

void CPropertyDlg::ShowPosition(const DotPoint& position)
{
    if (!m_x)
        return;
    m_x->SetValue(position.x);
    m_y->SetValue(position.y);
}

void CPropertyDlg::LoadPosition()
{
    if (const auto element = BoundElement())
        ShowPosition(element->GetPosition());
    RepaintCanvas();
}

void CPropertyDlg::OnPositionChange(bool xChanged)
{
    const auto element = BoundElement();
    if (!element)
        return;
    const DotPoint kept = element->GetPosition();
    const DotSize size = element->GetSize();
    const std::optional<int> x = m_x->ReadInteger();
    const std::optional<int> y = x ? m_y->ReadInteger() : std::nullopt;
    const bool fits = x && y
        && (xChanged ? FitsOnAxis(*x, size.width, kDisplayWidth) : FitsOnAxis(*y, size.height, kDisplayHeight));
    if (!fits) {
        ShowPosition(kept);
        return;
    }
    element->SetPosition(*x, *y);
    Commit(PositionCommitSteps());
}

CSpinEdit* CPropertyDlg::CreateStationEdit()
{
    m_station = new CSpinEdit(LowestStation(), kMaxStation, this);
    connect(m_station, &CSpinEdit::Edited, this, &CPropertyDlg::OnStationChange);
    return m_station;
}

void CPropertyDlg::ShowStation()
{
    if (const auto element = BoundElement(); element && m_station)
        m_station->SetValue(element->GetStation());
}

void CPropertyDlg::OnStationChange()
{
    const auto element = BoundElement();
    if (!element)
        return;
    const int message = StationRefusalMessage();
    std::optional<int> station = message ? m_station->Value() : m_station->ReadValue(LowestStation(), kMaxStation);
    if (station && (*station < LowestStation() || *station > kMaxStation))
        station.reset();
    if (!station) {
        if (message)
            CurrentUi().ShowMessage(message);
        ShowStation();
        return;
    }
    element->SetStation(*station);
    Commit(MarkModified | Snapshot);
}
