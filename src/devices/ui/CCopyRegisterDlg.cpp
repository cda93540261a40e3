#include "devices/ui/CCopyRegisterDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/AddressChoices.h"
#include "devices/ui/CCopyRegEntryDlg.h"
#include "devices/ui/GbkCombo.h"
#include "model/CVX50TextDoc.h"
#include "model/CopyRegisterEdit.h"
#include "widgets/CAddressListCtrl.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/ModalDialog.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kListWidth = 560;

QWidget* PortRow(QRadioButton* rs485, QRadioButton* com1, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rs485);
    layout->addWidget(com1);
    layout->addStretch();
    return row;
}

int IndexOf(const std::vector<std::string>& texts, const std::string& text)
{
    const auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

// A station or count typed into `field`: kept in `accepted` when it lies in
// min..max, else the prompt is shown and the field goes back to `accepted`.
bool ReadField(CSpinEdit* field, int min, int max, int& accepted)
{
    const std::optional<int> value = field->ReadValue(min, max);
    if (!value) {
        field->SetValue(accepted);
        return false;
    }
    accepted = *value;
    return true;
}

} // namespace

CCopyRegisterDlg::CCopyRegisterDlg(CVX50TextDoc& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_groupNumber(new QComboBox(this))
    , m_sourceStation(new CSpinEdit(1, kMaxCopyStation, this))
    , m_sourceRs485(new QRadioButton(QStringLiteral("RS485"), this))
    , m_sourceCom1(new QRadioButton(QStringLiteral("COM1"), this))
    , m_count(new CSpinEdit(1, kCopyCountBoxMax, this))
    , m_sourceGroup(new QComboBox(this))
    , m_sourceStart(new CElementNameCombo(this))
    , m_targetStation(new CSpinEdit(1, kMaxCopyStation, this))
    , m_targetRs485(new QRadioButton(QStringLiteral("RS485"), this))
    , m_targetCom1(new QRadioButton(QStringLiteral("COM1"), this))
    , m_targetCount(new CSpinEdit(1, kCopyCountBoxMax, this))
    , m_targetGroup(new QComboBox(this))
    , m_targetStart(new CElementNameCombo(this))
    , m_new(new QPushButton(QStringLiteral("新建"), this))
    , m_delete(new QPushButton(QStringLiteral("删除"), this))
    , m_list(new CAddressListCtrl(this))
{
    setWindowTitle(QStringLiteral("复制寄存器"));
    m_groupNumber->setObjectName(QStringLiteral("groupNumber"));
    m_sourceStation->setObjectName(QStringLiteral("sourceStation"));
    m_sourceRs485->setObjectName(QStringLiteral("sourceRs485"));
    m_sourceCom1->setObjectName(QStringLiteral("sourceCom1"));
    m_count->setObjectName(QStringLiteral("elementCount"));
    m_sourceGroup->setObjectName(QStringLiteral("sourceGroup"));
    m_sourceStart->setObjectName(QStringLiteral("sourceStart"));
    m_targetStation->setObjectName(QStringLiteral("targetStation"));
    m_targetRs485->setObjectName(QStringLiteral("targetRs485"));
    m_targetCom1->setObjectName(QStringLiteral("targetCom1"));
    m_targetCount->setObjectName(QStringLiteral("targetCount"));
    m_targetGroup->setObjectName(QStringLiteral("targetGroup"));
    m_targetStart->setObjectName(QStringLiteral("targetStart"));
    m_new->setObjectName(QStringLiteral("new"));
    m_delete->setObjectName(QStringLiteral("delete"));
    m_list->setObjectName(QStringLiteral("targetList"));
    for (QComboBox* combo : {m_sourceGroup, static_cast<QComboBox*>(m_sourceStart), m_targetGroup,
             static_cast<QComboBox*>(m_targetStart)})
        combo->setMinimumContentsLength(10);
    for (const char* name : {"第一组", "第二组", "第三组", "第四组"})
        m_groupNumber->addItem(QString::fromUtf8(name));
    m_targetCount->setEnabled(false);

    auto* number = new QHBoxLayout;
    number->addWidget(new QLabel(QStringLiteral("组号:"), this));
    number->addWidget(m_groupNumber);
    number->addStretch();

    auto* sourceBox = new QGroupBox(QStringLiteral("复制源:"), this);
    auto* source = new QFormLayout(sourceBox);
    source->addRow(QStringLiteral("局号:"), m_sourceStation);
    source->addRow(QStringLiteral("通信口:"), PortRow(m_sourceRs485, m_sourceCom1, sourceBox));
    source->addRow(QStringLiteral("元件个数:"), m_count);
    source->addRow(QStringLiteral("组名:"), m_sourceGroup);
    source->addRow(QStringLiteral("起始元件名:"), m_sourceStart);

    auto* targetBox = new QGroupBox(QStringLiteral("复制到列表"), this);
    auto* targetFields = new QFormLayout;
    targetFields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    targetFields->addRow(QStringLiteral("局号:"), m_targetStation);
    targetFields->addRow(QStringLiteral("通信口:"), PortRow(m_targetRs485, m_targetCom1, targetBox));
    targetFields->addRow(QStringLiteral("元件个数:"), m_targetCount);
    targetFields->addRow(QStringLiteral("组名:"), m_targetGroup);
    targetFields->addRow(QStringLiteral("起始元件名:"), m_targetStart);
    auto* editButtons = new QVBoxLayout;
    editButtons->addWidget(m_new);
    editButtons->addWidget(m_delete);
    editButtons->addStretch();
    auto* editorRow = new QHBoxLayout;
    editorRow->addLayout(targetFields);
    editorRow->addLayout(editButtons);
    auto* target = new QVBoxLayout(targetBox);
    target->addLayout(editorRow);
    target->addWidget(m_list, 1);

    auto* sides = new QHBoxLayout;
    sides->addWidget(sourceBox, 0, Qt::AlignTop);
    sides->addWidget(targetBox, 1);

    auto* buttons = OkCancelButtons(this, [this] { OnOK(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(number);
    layout->addLayout(sides, 1);
    layout->addWidget(buttons);

    // The list's columns share its width as the panel's tools lay them out.
    constexpr int w = kListWidth;
    const std::pair<int, int> columns[] = {{IdsCopyColumnNumber, w / 8}, {IdsCopyColumnStation, w / 8 + 10},
        {IdsCopyColumnGroup, w / 4 - 40}, {IdsCopyColumnFirstName, w / 4 - 20}, {IdsCopyColumnCount, w / 8 + 30},
        {IdsCopyColumnPort, w / 8 + 20}};
    for (const auto& [heading, width] : columns)
        m_list->AddColumn(UiText(heading), width);
    m_list->horizontalHeader()->setEnabled(false);
    m_list->setShowGrid(true);
    m_list->setMinimumSize(w + 4, 160);

    m_sourceStart->SetBinding({
        [] { return true; },
        [this] { return GroupElementNames(m_document.AddressTable, Word16ElementType, m_source.SourceGroupName); },
        [this] { return m_source.SourceStartElement; },
        [this](const std::string& name) {
            m_source.SourceStartElement = name;
            if (CopyRegGroup* group = CurrentGroup())
                group->SourceStartElement = name;
            return true;
        },
    });
    m_targetStart->SetBinding({
        [this] { return SelectedTarget() != nullptr; },
        [this] { return GroupElementNames(m_document.AddressTable, Word16ElementType, m_target.GroupName); },
        [this] { return m_target.StartElement; },
        [this](const std::string& name) {
            m_target.StartElement = name;
            if (CopyRegEntry* target = SelectedTarget())
                target->StartElement = name;
            return true;
        },
    });

    OnInitDialog();

    connect(m_groupNumber, &QComboBox::activated, this, &CCopyRegisterDlg::OnGroupNumberChange);
    connect(m_sourceStation, &CSpinEdit::Edited, this, &CCopyRegisterDlg::OnSourceStationChange);
    connect(m_sourceRs485, &QRadioButton::clicked, this, [this] { OnSourcePort(0); });
    connect(m_sourceCom1, &QRadioButton::clicked, this, [this] { OnSourcePort(1); });
    connect(m_count, &CSpinEdit::Edited, this, &CCopyRegisterDlg::OnElementCountChange);
    connect(m_sourceGroup, &QComboBox::activated, this, &CCopyRegisterDlg::OnSourceGroupChange);
    connect(m_sourceStart, &CElementNameCombo::NameChosen, this, [this] { m_document.ProjectModified = 1; });
    connect(m_targetStation, &CSpinEdit::Edited, this, &CCopyRegisterDlg::OnTargetStationChange);
    connect(m_targetRs485, &QRadioButton::clicked, this, [this] { OnTargetPort(0); });
    connect(m_targetCom1, &QRadioButton::clicked, this, [this] { OnTargetPort(1); });
    connect(m_targetGroup, &QComboBox::activated, this, &CCopyRegisterDlg::OnTargetGroupChange);
    connect(m_targetStart, &CElementNameCombo::NameChosen, this, [this] {
        m_document.ProjectModified = 1;
        FillList();
    });
    connect(m_new, &QPushButton::clicked, this, &CCopyRegisterDlg::OnNew);
    connect(m_delete, &QPushButton::clicked, this, &CCopyRegisterDlg::OnDelete);
    connect(m_list, &CAddressListCtrl::leftButtonPressed, this, &CCopyRegisterDlg::OnLButtonDown);
    SetTabOrderByLayout(*this);
}

void CCopyRegisterDlg::OnInitDialog()
{
    m_groupNumber->setCurrentIndex(0);
    m_working = m_document.CopyRegGroups;
    RefreshTargetList();
    EnableRowEditor(false);
}

CopyRegGroup* CCopyRegisterDlg::CurrentGroup() { return FindCopyGroup(m_working, m_groupNumber->currentIndex()); }

std::optional<int> CCopyRegisterDlg::SelectedRow() const
{
    const std::vector<int>& rows = m_list->SelectedRows();
    return rows.empty() ? std::nullopt : std::optional<int>(rows.front());
}

CopyRegEntry* CCopyRegisterDlg::SelectedTarget()
{
    const std::optional<int> row = SelectedRow();
    return row ? CopyTargetAt(m_working, m_groupNumber->currentIndex(), *row) : nullptr;
}

void CCopyRegisterDlg::ShowSource(const CopyRegGroup& source)
{
    m_source = source;
    const std::vector<std::string> groups = ChooseElementType(m_document.AddressTable, Word16ElementType).groups;
    FillGbkCombo(m_sourceGroup, groups, IndexOf(groups, source.SourceGroupName));
    m_sourceStart->ShowNameAlone(source.SourceStartElement);
    m_sourceStation->SetValue(source.SourceStation);
    (source.SourcePort == 1 ? m_sourceCom1 : m_sourceRs485)->setChecked(true);
    m_count->SetValue(source.ElementCount);
    m_targetCount->SetValue(source.ElementCount);
}

void CCopyRegisterDlg::ShowTarget(const CopyRegEntry& target)
{
    m_target = target;
    const std::vector<std::string> groups = ChooseElementType(m_document.AddressTable, Word16ElementType).groups;
    FillGbkCombo(m_targetGroup, groups, IndexOf(groups, target.GroupName));
    m_targetStart->ShowNameAlone(target.StartElement);
    m_targetStation->SetValue(target.Station);
    (target.Port == 1 ? m_targetCom1 : m_targetRs485)->setChecked(true);
}

void CCopyRegisterDlg::RefreshTargetList()
{
    const TypeChoice first = ChooseElementType(m_document.AddressTable, Word16ElementType);
    CopyRegEntry target;
    target.GroupName = first.names.group;
    target.StartElement = first.names.element;
    ShowTarget(target);
    if (const CopyRegGroup* group = CurrentGroup()) {
        ShowSource(*group);
    } else {
        CopyRegGroup source;
        source.GroupNumber = m_groupNumber->currentIndex();
        source.SourceGroupName = first.names.group;
        source.SourceStartElement = first.names.element;
        ShowSource(source);
        m_list->SetSelectedRows({});
    }
    FillList();
}

void CCopyRegisterDlg::FillList()
{
    const std::vector<CopyTargetRow> rows = CopyTargetRows(m_working, m_groupNumber->currentIndex());
    m_list->clearContents();
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < kCopyTargetColumns; ++c)
            m_list->SetCellText(r, c, QStringFromGbk(rows[r][c]));
    m_list->viewport()->update();
}

void CCopyRegisterDlg::EnableRowEditor(bool on)
{
    for (QWidget* field : std::initializer_list<QWidget*>{
             m_targetStation, m_targetRs485, m_targetCom1, m_targetGroup, m_targetStart})
        field->setEnabled(on);
}

void CCopyRegisterDlg::ShowTargetRow(std::optional<int> row)
{
    const CopyRegEntry* target = row ? CopyTargetAt(m_working, m_groupNumber->currentIndex(), *row) : nullptr;
    if (!target) {
        m_list->SetSelectedRows({});
        EnableRowEditor(false);
        return;
    }
    m_list->SetSelectedRows({*row});
    ShowTarget(*target);
    EnableRowEditor(true);
}

void CCopyRegisterDlg::OnGroupNumberChange()
{
    m_list->SetSelectedRows({});
    EnableRowEditor(false);
    RefreshTargetList();
}

void CCopyRegisterDlg::OnSourceStationChange()
{
    if (ReadField(m_sourceStation, 1, kMaxCopyStation, m_source.SourceStation))
        if (CopyRegGroup* group = CurrentGroup())
            group->SourceStation = m_source.SourceStation;
}

void CCopyRegisterDlg::OnSourcePort(int port)
{
    m_source.SourcePort = port;
    if (CopyRegGroup* group = CurrentGroup())
        group->SourcePort = port;
}

void CCopyRegisterDlg::OnElementCountChange()
{
    int count = m_source.ElementCount;
    if (!ReadField(m_count, 1, kCopyCountBoxMax, count))
        return;
    // Within the box's range, the device's maximum refuses without a prompt.
    if (count > CopyRegisterMaximum(m_document.DeviceName)) {
        m_count->SetValue(m_source.ElementCount);
        return;
    }
    m_source.ElementCount = count;
    m_targetCount->SetValue(count);
    if (CopyRegGroup* group = CurrentGroup()) {
        group->ElementCount = count;
        FillList();
    }
}

void CCopyRegisterDlg::OnSourceGroupChange(int index)
{
    if (index < 0)
        return;
    // Any 16-bit group may be the source; its first element starts the block.
    m_source.SourceGroupName = GbkItemText(m_sourceGroup, index);
    m_source.SourceStartElement =
        FirstElementName(m_document.AddressTable, Word16ElementType, m_source.SourceGroupName);
    m_sourceStart->ShowNameAlone(m_source.SourceStartElement);
    if (CopyRegGroup* group = CurrentGroup()) {
        group->SourceGroupName = m_source.SourceGroupName;
        group->SourceStartElement = m_source.SourceStartElement;
    }
}

void CCopyRegisterDlg::OnTargetStationChange()
{
    if (!ReadField(m_targetStation, 1, kMaxCopyStation, m_target.Station))
        return;
    if (CopyRegEntry* target = SelectedTarget()) {
        target->Station = m_target.Station;
        FillList();
    }
}

void CCopyRegisterDlg::OnTargetPort(int port)
{
    m_target.Port = port;
    if (CopyRegEntry* target = SelectedTarget()) {
        target->Port = port;
        FillList();
    }
}

void CCopyRegisterDlg::OnTargetGroupChange(int index)
{
    if (index < 0)
        return;
    m_target.GroupName = GbkItemText(m_targetGroup, index);
    m_target.StartElement =
        FirstElementName(m_document.AddressTable, Word16ElementType, m_target.GroupName);
    m_targetStart->ShowNameAlone(m_target.StartElement);
    if (CopyRegEntry* target = SelectedTarget()) {
        target->GroupName = m_target.GroupName;
        target->StartElement = m_target.StartElement;
        FillList();
    }
}

void CCopyRegisterDlg::OnLButtonDown(const QPoint& point)
{
    const int row = m_list->HitTestCell(point);
    if (row < 0 || row >= m_list->rowCount())
        return;
    ShowTargetRow(row);
}

void CCopyRegisterDlg::OnNew()
{
    CCopyRegEntryDlg entry(m_document, this);
    if (RunModalDialog(entry) != QDialog::Accepted)
        return;
    CopyRegEntry target;
    target.Station = entry.Station();
    target.Port = entry.Port();
    target.StartElement = entry.StartElement();
    target.GroupName = entry.ElementGroup();
    CopyRegGroup source = m_source;
    source.GroupNumber = m_groupNumber->currentIndex();
    source.Targets.clear();
    switch (AddCopyTarget(m_working, source, target)) {
    case NewTargetResult::NamesEmpty:
        CurrentUi().ShowMessage(IdsGroupOrElementNameEmpty);
        return;
    case NewTargetResult::GroupFull:
        CurrentUi().ShowMessage(IdsGroupsFull);
        return;
    case NewTargetResult::Added:
        break;
    }
    FillList();
}

void CCopyRegisterDlg::OnDelete()
{
    const std::optional<int> row = SelectedRow();
    if (row) {
        // The row stays selected while a target moved up into it, and the
        // row editor shows that target.
        ShowTargetRow(DeleteCopyTarget(m_working, m_groupNumber->currentIndex(), *row));
    }
    FillList();
}

void CCopyRegisterDlg::OnOK()
{
    DropEmptyCopyGroups(m_working);
    m_document.CopyRegGroups = m_working;
    m_document.ProjectModified = 1;
    accept();
}
