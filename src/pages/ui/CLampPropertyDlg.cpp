#include "pages/ui/CLampPropertyDlg.h"

#include "model/elements/CLampElement.h"
#include "pages/LampLook.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/TabOrder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>

namespace {

AddressRules LampRules()
{
    AddressRules rules;
    rules.types = {BitElementType};
    rules.zeroGroups = {"VX-M"};
    rules.zeroPlace = ZeroNamePlace::AfterFirstElement;
    rules.resetAddressText = false;
    rules.warnQm4Groups = true;
    return rules;
}

} // namespace

CLampPropertyDlg::CLampPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CAddressPropertyDlg(document, parent, LampRules())
    , m_doubleSize(new QCheckBox(QStringLiteral("倍角"), this))
    , m_shape(new QComboBox(this))
    , m_logic(new QComboBox(this))
{
    m_shape->addItems({QStringLiteral("圆形"), QStringLiteral("方形")});
    m_logic->addItems({QStringLiteral("正逻辑"), QStringLiteral("负逻辑")});

    QHBoxLayout* frame = CreateFrame(QStringLiteral("指示灯属性"));
    frame->addWidget(CreatePositionGroup(), 0, Qt::AlignTop);

    auto* coil = new QGroupBox(QStringLiteral("线圈"), this);
    auto* coilForm = new QFormLayout(coil);
    coilForm->addRow(QStringLiteral("类型:"), TypeCombo());
    coilForm->addRow(QStringLiteral("元件组名:"), GroupCombo());
    coilForm->addRow(QStringLiteral("局号:"), CreateStationEdit());
    coilForm->addRow(QStringLiteral("元件名称:"), NameCombo());
    frame->addWidget(coil, 0, Qt::AlignTop);

    auto* look = new QGroupBox(QStringLiteral("特性"), this);
    auto* lookForm = new QFormLayout(look);
    lookForm->addRow(QStringLiteral("形状:"), m_shape);
    lookForm->addRow(QStringLiteral("逻辑:"), m_logic);
    frame->addWidget(look, 0, Qt::AlignTop);

    auto* display = new QGroupBox(QStringLiteral("显示"), this);
    (new QHBoxLayout(display))->addWidget(m_doubleSize);
    frame->addWidget(display, 0, Qt::AlignTop);

    connect(m_doubleSize, &QCheckBox::clicked, this, &CLampPropertyDlg::OnDoubleSize);
    connect(m_shape, &QComboBox::activated, this, &CLampPropertyDlg::OnShapeSelChange);
    connect(m_logic, &QComboBox::activated, this, &CLampPropertyDlg::OnLogicSelChange);
    SetTabOrderByLayout(*this);
}

BoundAddress CLampPropertyDlg::Address() const
{
    return BoundAddress::Of(Bound<CLampElement>());
}

void CLampPropertyDlg::LoadFromElement()
{
    const auto lamp = Bound<CLampElement>();
    if (!lamp)
        return;
    LoadPosition();
    LoadAddressControls();
    ShowStation();
    m_logic->setCurrentIndex(LampListIndexOfCode(lamp->GetLogic()));
    m_shape->setCurrentIndex(LampListIndexOfCode(lamp->GetShape()));
    // The size tells, not the flag: a lamp 32 dots wide is drawn double.
    m_doubleSize->setChecked(lamp->GetSize().width == 32);
}

void CLampPropertyDlg::OnDoubleSize(bool checked)
{
    const auto lamp = Bound<CLampElement>();
    if (!lamp)
        return;
    const DotBox box = LampBoxForDoubleSize(lamp->GetBox(), checked);
    lamp->SetPosition(box.x, box.y);
    lamp->SetSize(box.w, box.h);
    lamp->SetDoubleSize(checked ? 1 : 0);
    ShowPosition(lamp->GetPosition());
    Commit(MarkModified | Repaint | Snapshot);
}

void CLampPropertyDlg::OnShapeSelChange(int index)
{
    const auto lamp = Bound<CLampElement>();
    if (!lamp)
        return;
    const int shape = LampCodeOfListIndex(index);
    if (shape != lamp->GetShape()) {
        lamp->SetShape(shape);
        Commit(MarkModified | Snapshot);
    }
    RepaintCanvas();
}

void CLampPropertyDlg::OnLogicSelChange(int index)
{
    const auto lamp = Bound<CLampElement>();
    if (!lamp)
        return;
    const int logic = LampCodeOfListIndex(index);
    const bool changed = logic != lamp->GetLogic();
    lamp->SetLogic(logic);
    lamp->SetState(logic);
    if (changed)
        Commit(MarkModified | Snapshot);
    RepaintCanvas();
}
