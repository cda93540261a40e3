#include "devices/ui/CAddressTableDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"
#include "devices/AddressRowSelection.h"
#include "devices/AddressTableFile.h"
#include "devices/NewElementBatch.h"
#include "devices/ui/CDeviceNameDlg.h"
#include "devices/ui/CNewElementDlg.h"
#include "devices/ui/CNewGroupDlg.h"
#include "model/CVX50TextDoc.h"
#include "model/ElementRebinding.h"
#include "widgets/CAddressListCtrl.h"
#include "widgets/InPlaceCellEdit.h"
#include "widgets/ModalDialog.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The grid's client width, from which the column widths follow.
constexpr int kListClientWidth = 460;
constexpr int kListHeight = 360;
constexpr int kAutoScrollMs = 100;

} // namespace

CAddressTableDlg::CAddressTableDlg(CVX50TextDoc& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_groups(document.AddressTable)
    , m_tabs(new QTabBar(this))
    , m_list(new CAddressListCtrl(this))
    , m_scrollTimer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("地址表"));
    m_tabs->setObjectName(QStringLiteral("groups"));
    m_tabs->setFocusPolicy(Qt::NoFocus);
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);

    const int w = kListClientWidth;
    m_list->setObjectName(QStringLiteral("addresses"));
    m_list->AddColumn(UiText(IdsAddressColumnNumber), w / 8, Qt::AlignCenter);
    m_list->AddColumn(UiText(IdsAddressColumnName), w / 4 + 120);
    m_list->AddColumn(UiText(IdsAddressColumnAddress), 4 * w / 7 - 100);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->setShowGrid(true);
    m_list->setMinimumSize(w + m_list->verticalScrollBar()->sizeHint().width() + 2 * m_list->frameWidth(),
                           kListHeight);
    m_list->SetInTab(true);
    m_list->SetCanEdit(m_document.TableEditable == 1);

    // The buttons take no focus, so that pressing one leaves a running cell
    // edit to the command, which ends it.
    QDialogButtonBox* buttons = OkCancelButtons(this, [this] { OnOK(); }, [this] { OnCancel(); });
    for (QAbstractButton* button : buttons->buttons())
        button->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_list);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    CreateMenu();

    connect(m_tabs, &QTabBar::currentChanged, this, &CAddressTableDlg::OnTabChange);
    connect(m_list, &CAddressListCtrl::leftButtonPressed, this, &CAddressTableDlg::OnLeftButton);
    connect(m_list, &CAddressListCtrl::keyPressed, this, [this](int key) { OnKey(key); });
    connect(m_list, &CAddressListCtrl::cellTextTyped, this, [this] { m_modified = true; });
    connect(m_scrollTimer, &QTimer::timeout, this, &CAddressTableDlg::OnAutoScroll);

    // A device being created starts without tabs: its table is empty.
    if (!m_groups.empty() && m_document.DeviceChange == 0)
        ListGroups();
    SetMenuStates();
    m_scrollTimer->start(kAutoScrollMs);
    m_list->setFocus(Qt::OtherFocusReason);
    SetTabOrderByLayout(*this);
}

void CAddressTableDlg::CreateMenu()
{
    auto* bar = new QMenuBar(this);
    const auto add = [this](QMenu* menu, const QString& text, int command, void (CAddressTableDlg::*handler)()) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, handler);
        m_actions[command] = action;
    };
    QMenu* table = bar->addMenu(QStringLiteral("地址表(&A)"));
    add(table, QStringLiteral("保存\tCrtl+&S"), SaveCommand, &CAddressTableDlg::OnSave);
    add(table, QStringLiteral("另存为...\tCtrl+&A"), SaveAsCommand, &CAddressTableDlg::OnSaveAs);
    add(table, QStringLiteral("退出\tCtrl+&X"), ExitCommand, &CAddressTableDlg::OnCancel);
    QMenu* edit = bar->addMenu(QStringLiteral("编辑(&E)"));
    add(edit, QStringLiteral("新建元件组\tCtrl+&G"), NewGroupCommand, &CAddressTableDlg::OnNewGroup);
    add(edit, QStringLiteral("删除元件组\tCtrl+&D"), DeleteGroupCommand, &CAddressTableDlg::OnDeleteGroup);
    add(edit, QStringLiteral("新建元件\tCtrl+&E"), NewElementCommand, &CAddressTableDlg::OnNewElement);
    add(edit, QStringLiteral("删除元件\tCtrl+&F"), DeleteElementCommand, &CAddressTableDlg::OnDeleteElement);
    layout()->setMenuBar(bar);
}

QAction* CAddressTableDlg::MenuAction(int commandId) const
{
    const auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CAddressTableDlg::SetMenuStates()
{
    const bool editable = m_document.TableEditable == 1;
    const bool hasTabs = m_tabs->count() > 0;
    m_actions.at(NewGroupCommand)->setEnabled(editable);
    for (int command : {NewElementCommand, DeleteGroupCommand, DeleteElementCommand})
        m_actions.at(command)->setEnabled(editable && hasTabs);
}

void CAddressTableDlg::ListGroups()
{
    {
        const QSignalBlocker quiet(m_tabs);
        while (m_tabs->count() > 0)
            m_tabs->removeTab(0);
        for (const ElementGroup& group : m_groups)
            m_tabs->addTab(QStringFromGbk(group.name));
        m_tabs->setCurrentIndex(m_groups.empty() ? -1 : 0);
    }
    if (m_groups.empty()) {
        m_shownGroup = -1;
        m_list->setRowCount(0);
        m_list->SetSelectedRows({});
        return;
    }
    ShowGroup(0);
}

void CAddressTableDlg::OnTabChange(int index)
{
    if (!m_list->EndEdit()) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(m_shownGroup);
        return;
    }
    CommitShownGroup(RowCommit::TabChange);
    ShowGroup(index);
}

void CAddressTableDlg::ShowGroup(int index)
{
    m_shownGroup = index;
    const ElementGroup& group = m_groups.at(static_cast<std::size_t>(index));
    const int count = static_cast<int>(group.elements.size());
    m_list->setUpdatesEnabled(false);
    m_list->setRowCount(0);
    m_list->setRowCount(count + kEmptyRowsBelow);
    for (int row = 0; row < count; ++row) {
        const DeviceElement& element = group.elements[static_cast<std::size_t>(row)];
        m_list->SetCellText(row, 0, QString::number(row + 1));
        m_list->SetCellText(row, 1, QStringFromGbk(element.name));
        m_list->SetCellText(row, 2, QString::fromLatin1(ElementAddressText(group, element)));
    }
    m_list->setUpdatesEnabled(true);
    m_list->SetGroupWidth(group.elementType);
    m_list->SetGroupMode(group.accessMode);
    m_list->SetSelectedRows({});
}

std::vector<AddressRowText> CAddressTableDlg::ShownRows() const
{
    const int count = std::max(0, m_list->rowCount() - kEmptyRowsBelow);
    std::vector<AddressRowText> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        rows.push_back({GbkFromQString(m_list->CellText(row, 1)), GbkFromQString(m_list->CellText(row, 2))});
    return rows;
}

void CAddressTableDlg::CommitShownGroup(RowCommit commit)
{
    if (m_shownGroup >= 0)
        CommitGroupRows(m_groups.at(static_cast<std::size_t>(m_shownGroup)), ShownRows(), commit);
}

void CAddressTableDlg::OnLeftButton(const QPoint& point, Qt::KeyboardModifiers modifiers)
{
    int column = 0;
    const int row = m_list->HitTestCell(point, &column);
    if (row < 0)
        return;
    m_list->SetLastClick(row, column);
    if (column == 0) {
        if (!m_list->EndEdit())
            return;
        RowSelection selection{m_list->SelectedRows(), m_list->DragAnchorRow()};
        ClickNumberCell(selection, row, modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier);
        m_list->SetDragAnchorRow(selection.anchor);
        m_list->SetSelectedRows(std::move(selection.rows));
        return;
    }
    if (!m_list->SelectedRows().empty())
        m_list->SetSelectedRows({});
    if (!m_list->EndEdit())
        return;
    m_list->EditCell(row, column);
    m_modified = true;
}

void CAddressTableDlg::OnKey(int key)
{
    if (key == Qt::Key_Delete)
        OnDeleteElement();
}

void CAddressTableDlg::OnAutoScroll()
{
    const bool down = m_list->ScrollDownRequested();
    const bool up = m_list->ScrollUpRequested();
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton) || (!down && !up))
        return;
    QScrollBar* bar = m_list->verticalScrollBar();
    const int step = m_list->rowHeight(std::max(0, m_list->TopVisibleRow()));
    bar->setValue(bar->value() + (down ? step : -step));
    std::vector<int> rows = m_list->SelectedRows();
    AutoScrollStep(rows, down, m_list->rowCount());
    m_list->SetSelectedRows(std::move(rows));
}

void CAddressTableDlg::OnDeleteElement()
{
    if (m_document.TableEditable != 1 || !m_list->EndEdit())
        return;
    const std::vector<int> selected = m_list->SelectedRows();
    if (selected.empty()) {
        CurrentUi().ShowMessage(IdsSelectRecordToDelete, MbOk);
        return;
    }
    if (CurrentUi().ShowMessage(IdsDeleteRecordsQuestion, MbYesNo | MbIconInformation) != IdYes)
        return;
    std::vector<AddressRowText> rows = ShownRows();
    DeleteSelectedRows(rows, selected);
    CommitGroupRows(m_groups.at(static_cast<std::size_t>(m_shownGroup)), rows, RowCommit::TabChange);
    m_modified = true;
    ShowGroup(m_shownGroup);
}

void CAddressTableDlg::OnNewElement()
{
    if (!m_list->EndEdit())
        return;
    // The dialog and the new elements see the shown group as its rows stand.
    CommitShownGroup(RowCommit::TabChange);
    CNewElementDlg dialog(m_groups, m_shownGroup, this);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    m_modified = true;
    CreateElements(m_groups, dialog.Request(), CurrentUi());
    if (m_shownGroup >= 0)
        ShowGroup(m_shownGroup);
}

void CAddressTableDlg::OnNewGroup()
{
    if (!m_list->EndEdit())
        return;
    // The group shown so far keeps its rows, as a tab change would.
    CommitShownGroup(RowCommit::TabChange);
    CNewGroupDlg dialog(m_groups, this);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    m_modified = true;
    ElementGroup group;
    group.name = dialog.Name();
    group.elementType = dialog.ElementType();
    const GroupAccess access = dialog.Access();
    group.accessMode = access.accessMode;
    group.interval32 = access.interval32;
    m_groups.push_back(std::move(group));
    const int index = static_cast<int>(m_groups.size()) - 1;
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->addTab(QStringFromGbk(m_groups.back().name));
        m_tabs->setCurrentIndex(index);
    }
    ShowGroup(index);
    SetMenuStates();
}

void CAddressTableDlg::OnDeleteGroup()
{
    if (!m_list->EndEdit() || m_shownGroup < 0)
        return;
    if (CurrentUi().ShowMessage(IdsDeleteGroupQuestion, MbYesNo | MbIconInformation) != IdYes)
        return;
    m_groups.erase(m_groups.begin() + m_shownGroup);
    ListGroups();
    m_modified = true;
    SetMenuStates();
}

void CAddressTableDlg::PutBack()
{
    m_document.AddressTable = m_groups;
}

bool CAddressTableDlg::WriteDeviceTable() const
{
    return IsSafeDeviceName(m_document.DeviceName)
        && m_document.WriteAddressTable(DeviceTablePath(m_document.DeviceName));
}

void CAddressTableDlg::OnSave()
{
    // A running edit only ends: the user saves again.
    if (m_list->CurrentEditor()) {
        m_list->EndEdit();
        return;
    }
    if (m_document.DeviceChange != 0 || m_document.DeviceName.empty()) {
        CurrentUi().ShowMessage(IdsDeviceNameEmpty, MbOk);
        return;
    }
    CommitShownGroup(RowCommit::Save);
    PutBack();
    RebindAllElements(m_document);
    if (m_modified && CurrentUi().ShowMessage(IdsAddressListModifiedSave, MbYesNo) == IdYes)
        CurrentUi().ShowMessage(WriteDeviceTable() ? IdsSaveSucceeded : IdsSaveAddressTableFailed, MbOk);
}

void CAddressTableDlg::OnSaveAs()
{
    if (m_list->CurrentEditor()) {
        m_list->EndEdit();
        return;
    }
    CDeviceNameDlg dialog(m_document.DeviceName, m_document.DeviceNames, this);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    CommitShownGroup(RowCommit::Save);
    PutBack();
    // The file is written as the new device's: CANEDIT follows its name.
    const bool written = WriteAddressTableFile(DeviceTablePath(dialog.Name()), m_document.GetDeviceKeys(),
                                               dialog.Name(), m_document.AddressTable);
    CurrentUi().ShowMessage(written ? IdsSaveSucceeded : IdsSaveAddressTableFailed, MbOk);
}

void CAddressTableDlg::OnOK()
{
    // The first OK of a running edit only ends it.
    if (m_list->CurrentEditor()) {
        m_list->EndEdit();
        return;
    }
    m_list->setFocus(Qt::OtherFocusReason);
    if (m_shownGroup < 0)
        m_groups.clear();
    else
        CommitShownGroup(RowCommit::Ok);
    PutBack();
    if (m_modified && !WriteDeviceTable()) {
        CurrentUi().ShowMessage(IdsSaveAddressTableFailed, MbOk);
        return;
    }
    Close(QDialog::Accepted);
}

void CAddressTableDlg::OnCancel()
{
    Close(QDialog::Rejected);
}

void CAddressTableDlg::reject()
{
    OnCancel();
}

void CAddressTableDlg::Close(int result)
{
    m_scrollTimer->stop();
    m_document.DeviceChange = 0;
    done(result);
}

int RunAddressTableEditor(CVX50TextDoc& document, QWidget* parent)
{
    CAddressTableDlg editor(document, parent);
    return RunModalDialog(editor);
}
