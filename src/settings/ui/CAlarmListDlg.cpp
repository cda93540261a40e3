#include "settings/ui/CAlarmListDlg.h"

#include "base/GbkText.h"
#include "devices/AddressFileText.h"
#include "model/CVX50TextDoc.h"
#include "settings/AlarmAddressRules.h"
#include "settings/ui/CAlarmListCtrl.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/TabOrder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

CAlarmListDlg::CAlarmListDlg(CVX50TextDoc& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
{
    setWindowTitle(QStringLiteral("报警列表"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    const AlarmListStart start = StartAlarmList(document);
    BuildControls(start);
    if (start.newList)
        m_list->Perform([](AlarmGrid& g) { g.OpenEditor(0, AlarmGrid::EditorText::Selected); });

    connect(m_segmentBox, &QComboBox::currentIndexChanged, this, &CAlarmListDlg::OnSelChangeSegment);
    connect(m_groupBox, &QComboBox::currentIndexChanged, this, &CAlarmListDlg::OnSelChangeStartGroup);
    connect(m_startBox, &CElementNameCombo::DropDown, this, &CAlarmListDlg::OnDropDownStartElement);
    connect(m_startBox, &QComboBox::currentIndexChanged, this, &CAlarmListDlg::OnSelChangeStartElement);
    connect(m_startBox->lineEdit(), &QLineEdit::textEdited, this, &CAlarmListDlg::OnEditChangeStartElement);
    connect(m_startBox, &CElementNameCombo::CloseUp, this, &CAlarmListDlg::OnCloseUpStartElement);
    connect(m_station, &CSpinEdit::Edited, this, &CAlarmListDlg::OnChangeStation);
    connect(m_rs485, &QRadioButton::clicked, this, [this] { OnPort(0); });
    connect(m_com1, &QRadioButton::clicked, this, [this] { OnPort(1); });
    SetTabOrderByLayout(*this);
}

void CAlarmListDlg::BuildControls(const AlarmListStart& start)
{
    m_segmentBox = new QComboBox(this);
    m_segmentBox->setObjectName(QStringLiteral("segmentBox"));
    for (std::size_t k = 1; k <= start.segments.size(); ++k)
        m_segmentBox->addItem(QString::number(k));
    m_segmentBox->setCurrentIndex(start.current);

    m_groupBox = new QComboBox(this);
    m_groupBox->setObjectName(QStringLiteral("groupBox"));
    for (const std::string& name : start.groups)
        m_groupBox->addItem(QStringFromGbk(name));
    m_groupBox->setCurrentIndex(m_groupBox->findText(QStringFromGbk(start.groupChoice)));

    m_startBox = new CElementNameCombo(this);
    m_startBox->setObjectName(QStringLiteral("startElementBox"));
    m_startBox->setMinimumContentsLength(10);
    if (!start.startElementName.empty())
        m_startBox->addItem(QStringFromGbk(start.startElementName));

    m_station = new CSpinEdit(1, 255, this);
    m_station->setObjectName(QStringLiteral("station"));
    m_stationText = start.station;
    m_station->Edit()->setText(QStringFromGbk(m_stationText));

    m_rs485 = new QRadioButton(QStringLiteral("RS485"), this);
    m_rs485->setObjectName(QStringLiteral("rs485"));
    m_com1 = new QRadioButton(QStringLiteral("COM1"), this);
    m_com1->setObjectName(QStringLiteral("com1"));
    (start.port == 1 ? m_com1 : m_rs485)->setChecked(true);
    auto* port = new QGroupBox(QStringLiteral("通信口"), this);
    auto* portRow = new QHBoxLayout(port);
    portRow->addWidget(m_rs485);
    portRow->addWidget(m_com1);

    auto* segment = new QGroupBox(QStringLiteral("报警列表段属性："), this);
    auto* fields = new QGridLayout(segment);
    fields->addWidget(new QLabel(QStringLiteral("段号："), segment), 0, 0);
    fields->addWidget(m_segmentBox, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("起始线圈:"), segment), 0, 2);
    fields->addWidget(m_groupBox, 0, 3);
    fields->addWidget(m_startBox, 0, 4);
    fields->addWidget(new QLabel(QStringLiteral("局号:"), segment), 1, 0);
    fields->addWidget(m_station, 1, 1);
    fields->addWidget(port, 1, 2, 1, 3);

    m_list = new CAlarmListCtrl(m_document.AddressTable, start.segments, start.current, this);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &CAlarmListDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CAlarmListDlg::reject);
    m_list->SetCancelButton(cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(segment);
    layout->addWidget(m_list, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CAlarmListDlg::accept()
{
    // Text typed when OK is chosen without leaving the cell is committed as
    // leaving it would.
    if (m_list->Grid().EditorOpen())
        m_list->Perform([](AlarmGrid& g) { g.LeaveEditor(); });
    ApplyAlarmList(m_document, m_list->Grid().Segments(), m_list->Grid().CurrentSegment());
    QDialog::accept();
}

void CAlarmListDlg::reject()
{
    m_list->DropEditor();
    QDialog::reject();
}

void CAlarmListDlg::OnSelChangeSegment(int index)
{
    if (index < 0)
        return;
    m_list->Perform([index](AlarmGrid& g) { g.ShowSegment(index); });
    ShowSegmentFields();
}

void CAlarmListDlg::ShowSegmentFields()
{
    const AlarmSegment& shown = m_list->Grid().Shown();
    m_stationText = shown.Station;
    m_station->Edit()->setText(QStringFromGbk(m_stationText));
    SelectGroup(m_list->Grid().GroupName());
    ShowStartElement();
    (LeadingDecimal(shown.Port) == 1 ? m_com1 : m_rs485)->setChecked(true);
}

void CAlarmListDlg::OnChangeStation()
{
    const std::string text = GbkFromQString(m_station->Edit()->text());
    if (!StationTextAccepted(text)) {
        m_station->Edit()->setText(QStringFromGbk(m_stationText));
        return;
    }
    m_stationText = text;
    m_list->Perform([&text](AlarmGrid& g) { g.SetStation(text); });
    // The one edit that reaches the document before OK.
    m_document.ProjectModified = 1;
}

void CAlarmListDlg::OnPort(int port)
{
    m_list->Perform([port](AlarmGrid& g) { g.SetPort(port); });
}

void CAlarmListDlg::OnSelChangeStartGroup(int index)
{
    if (index < 0)
        return;
    const std::string name = GbkFromQString(m_groupBox->itemText(index));
    if (name == m_list->Grid().GroupName())
        return;
    bool changed = false;
    m_list->Perform([&](AlarmGrid& g) { changed = g.ChangeGroup(name); });
    if (changed)
        ShowStartElement();
    else
        SelectGroup(m_list->Grid().GroupName());
}

void CAlarmListDlg::OnDropDownStartElement()
{
    const QSignalBlocker quiet(m_startBox);
    m_startBox->clear();
    const ElementGroup* group = FindAlarmGroup(m_document.AddressTable, m_list->Grid().GroupName());
    if (!group)
        return;
    for (const DeviceElement& element : group->elements)
        m_startBox->addItem(QStringFromGbk(element.name));
    const int start = LeadingDecimal(m_list->Grid().StartIndex());
    if (start >= 0 && start < m_startBox->count())
        m_startBox->setCurrentIndex(start);
}

void CAlarmListDlg::OnSelChangeStartElement(int index)
{
    const std::string name = index < 0 ? m_pendingStartName : GbkFromQString(m_startBox->itemText(index));
    // An item picked in the list arrives once the list has closed, before
    // the close-up: it is also the name that the close-up takes.
    m_pendingStartName = name;
    if (!m_startBox->IsListOpen())
        ApplyStartIndex(StartIndexNamed(name));
}

void CAlarmListDlg::OnEditChangeStartElement(const QString& text)
{
    m_pendingStartName = GbkFromQString(text);
    const ElementGroup* group = FindAlarmGroup(m_document.AddressTable, m_list->Grid().GroupName());
    if (!group)
        return;
    const auto named = std::find_if(group->elements.begin(), group->elements.end(),
                                    [this](const DeviceElement& e) { return e.name == m_pendingStartName; });
    if (named == group->elements.end())
        return;
    // A whole name typed opens the list on it; its entries are filled as
    // the list opens.
    const int caret = m_startBox->lineEdit()->cursorPosition();
    if (!m_startBox->IsListOpen()) {
        m_startNameTyped = true;
        m_startBox->showPopup();
    }
    const QSignalBlocker quiet(m_startBox);
    const int row = static_cast<int>(named - group->elements.begin());
    m_startBox->setCurrentIndex(row);
    // The open list highlights it too: Return there picks the highlighted
    // entry.
    m_startBox->view()->setCurrentIndex(m_startBox->model()->index(row, 0));
    m_startBox->setEditText(text);
    m_startBox->lineEdit()->setCursorPosition(caret);
}

void CAlarmListDlg::OnCloseUpStartElement()
{
    if (m_startBox->currentIndex() < 0)
        return;
    if (m_startNameTyped)
        ApplyStartIndex(StartIndexNamed(m_pendingStartName));
    m_startNameTyped = false;
}

void CAlarmListDlg::ApplyStartIndex(int index)
{
    if (index != LeadingDecimal(m_list->Grid().StartIndex()))
        m_list->Perform([index](AlarmGrid& g) { g.ChangeStartElement(index); });
    ShowStartElement();
}

int CAlarmListDlg::StartIndexNamed(const std::string& name) const
{
    if (const ElementGroup* group = FindAlarmGroup(m_document.AddressTable, m_list->Grid().GroupName())) {
        for (std::size_t k = 0; k < group->elements.size(); ++k)
            if (group->elements[k].name == name)
                return static_cast<int>(k);
    }
    return LeadingDecimal(m_list->Grid().StartIndex());
}

void CAlarmListDlg::ShowStartElement()
{
    const std::string name = m_list->Grid().StartElementName();
    if (name.empty())
        return;
    const QSignalBlocker quiet(m_startBox);
    m_startBox->clear();
    m_startBox->addItem(QStringFromGbk(name));
    m_startBox->setCurrentIndex(0);
}

void CAlarmListDlg::SelectGroup(const std::string& name)
{
    const QSignalBlocker quiet(m_groupBox);
    m_groupBox->setCurrentIndex(std::max(0, m_groupBox->findText(QStringFromGbk(name))));
}
