#include "pages/ui/CBarGraphPropertyDlg.h"

#include "model/elements/CGraphElement.h"
#include "pages/GraphBoxRules.h"
#include "widgets/TabOrder.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

CBarGraphPropertyDlg::CBarGraphPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CGraphPropertyDlg(document, parent, GraphKind::Bar)
    , m_direction(new QComboBox(this))
{
    // Entry k is direction k + 1.
    m_direction->addItems({QStringLiteral("向上"), QStringLiteral("向下"), QStringLiteral("向左"), QStringLiteral("向右")});

    QHBoxLayout* frame = CreateFrame(QStringLiteral("柱状图属性"));
    frame->addWidget(CreatePositionAndSizeGroup(), 0, Qt::AlignTop);
    frame->addWidget(CreateWordGroup(), 0, Qt::AlignTop);
    auto* look = new QVBoxLayout;
    look->addWidget(CreateFormatGroup());
    look->addWidget(CreateScaleGroup());
    auto* direction = new QGroupBox(QStringLiteral("显示"), this);
    (new QFormLayout(direction))->addRow(QStringLiteral("方向:"), m_direction);
    look->addWidget(direction);
    look->addStretch();
    frame->addLayout(look);

    connect(m_direction, &QComboBox::activated, this, &CBarGraphPropertyDlg::OnDirectionSelChange);
    SetTabOrderByLayout(*this);
}

void CBarGraphPropertyDlg::LoadFromElement()
{
    const auto bar = Graph();
    if (!bar)
        return;
    LoadGraph();
    m_direction->setCurrentIndex(bar->GetDirection() - 1);
}

void CBarGraphPropertyDlg::OnDirectionSelChange(int index)
{
    const auto bar = Graph();
    const int direction = index + 1;
    if (!bar || direction == bar->GetDirection())
        return;
    const DotBox box = TurnBar(bar->GetBox(), bar->GetDirection(), direction);
    bar->SetPosition(box.x, box.y);
    bar->SetSize(box.w, box.h);
    bar->SetDirection(direction);
    ShowPosition(bar->GetPosition());
    ShowSize();
    Commit(MarkModified | Snapshot | Repaint);
}
