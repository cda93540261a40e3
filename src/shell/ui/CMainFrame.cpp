#include "shell/ui/CMainFrame.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "base/UserInterface.h"
#include "devices/ui/CAddressTableDlg.h"
#include "devices/ui/CDeviceInfoDlg.h"
#include "model/CVX50TextDoc.h"
#include "settings/ui/CPasswordLevelDlg.h"
#include "shell/CommandIds.h"
#include "shell/DocumentEditorState.h"
#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CCoolBar.h"
#include "shell/ui/CCoolTabCtrl.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextView.h"
#include "shell/ui/GuiUserInterface.h"
#include "shell/ui/MenuTable.h"
#include "shell/ui/ResourceFile.h"
#include "shell/ui/SimulationWindows.h"
#include "shell/ui/ToolbarIcons.h"
#include "shell/ui/TransferInputBlock.h"
#include "simulator/SimulationControl.h"
#include "transfer/ComPortFile.h"
#include "transfer/ComPortNames.h"
#include "transfer/ComPortNumber.h"
#include "transfer/FirmwareVersionCommand.h"
#include "transfer/PageDownload.h"
#include "transfer/PanelExchanges.h"
#include "transfer/PanelFrames.h"
#include "transfer/ui/CPageSetDlg.h"
#include "transfer/ui/PingSetDlg.h"
#include "widgets/FileDialogFolders.h"
#include "widgets/MessageBoxTitle.h"
#include "widgets/UiText.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace {

constexpr std::array<int, 4> PaneIds = {IdsStatusReady, IdsStatusNoModel, IdsStatusNoProtocol,
                                        IdsStatusNoFirmwareVersion};

// The docking bar's fixed width and the interval of the command refresh.
constexpr int DockingBarWidth = 120;
constexpr int StateRefreshMs = 500;

const QColor GreyRoot(125, 125, 125);

// The accelerator table: only these keys act.
struct Accelerator {
    QKeySequence keys;
    int commandId;
};

const std::vector<Accelerator>& Accelerators()
{
    static const std::vector<Accelerator> table = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), Cmd::FileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), Cmd::FileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_S), Cmd::FileSave},
        {QKeySequence(Qt::Key_F4), Cmd::PageDownload},
        {QKeySequence(Qt::CTRL | Qt::Key_M), Cmd::Simulate},
    };
    return table;
}

QString PaneStartText(int pane)
{
    return UiText(PaneIds.at(pane));
}

// The fly-by text of a command: its string-table entry, or for a command
// without one its menu text without the key hint and the "&" marks.
QString FlyByText(int commandId, const QString& menuText)
{
    const QString text = CommandStatusText(commandId);
    if (!text.isEmpty())
        return text;
    QString shown = menuText.section(u'\t', 0, 0);
    shown.remove(u'&');
    return shown;
}

} // namespace

CMainFrame::CMainFrame(CVX50TextDoc& document)
    : m_document(document)
{
    setObjectName(QStringLiteral("MainFrame"));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateDockingTree();
    BindAccelerators();

    m_view = new CVX50TextView(m_document, *this);
    setCentralWidget(m_view);
    m_simulationWindows = std::make_unique<SimulationWindows>(*this);
    m_simulation = std::make_unique<SimulationControl>(m_document, m_view->ProtocolFunctions, *m_simulationWindows,
        Simulating);

    SetCommandHandler(Cmd::AppExit, [this] { close(); });
    SetCommandHandler(Cmd::HelpContents, [this] { OnHelpContents(); });
    SetCommandHandler(Cmd::About, [this] { OnAbout(); });
    SetCommandHandler(Cmd::FirmwareVersion, [this] { OnFirmwareVersion(); });
    SetCommandHandler(Cmd::PingSet, [this] { OnPingSet(); });
    SetCommandHandler(Cmd::PageDownload, [this] { OnPageDownload(); });
    SetCommandHandler(Cmd::WriteDescriptions, [this] { OnToggleWriteDescriptions(); });
    SetCommandHandler(Cmd::ScreenDataWindow, [this] { OnToggleScreenDataWindow(); });
    SetCommandHandler(Cmd::ViewToolbar, [this] { m_toolBar->setVisible(!m_toolBar->isVisible()); });
    SetCommandHandler(Cmd::ViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    SetCommandHandler(Cmd::Undo, [this] { m_document.OnEditUndo(); });
    SetCommandHandler(Cmd::Redo, [this] { m_document.OnEditRedo(); });
    SetCommandHandler(Cmd::NewScreen, [this] { m_document.OnNewScreen(); });
    SetCommandHandler(Cmd::CopyScreen, [this] { m_document.OnCopyScreen(); });
    SetCommandHandler(Cmd::DeleteScreen, [this] { m_tree->OnDeleteScreen(); });
    SetCommandHandler(Cmd::ScreenProperties, [this] { m_tree->OnScreenProperties(); });
    SetCommandHandler(Cmd::PasswordLevels, [this] {
        CPasswordLevelDlg dialog(m_document, this);
        RunModalDialog(dialog);
    });
    SetCommandHandler(Cmd::Simulate, [this] { OnSimulate(); });
    connect(this, &CMainFrame::AddressTableRequested, this, &CMainFrame::OnAddressTable);

    m_stateTimer = new QTimer(this);
    connect(m_stateTimer, &QTimer::timeout, this, &CMainFrame::RefreshCommandStates);
    m_stateTimer->start(StateRefreshMs);
    RefreshCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The program-wide COM-port number survives the run in "PZ.DAT"; a file
    // that cannot be written is silently left alone.
    WriteComPortFile(ComPortFilePath(), ComPortNumber());
}

void CMainFrame::CreateActions()
{
    auto add = [this](int id, const QString& text) {
        auto* action = new QAction(text, this);
        action->setStatusTip(FlyByText(id, text));
        action->setToolTip(CommandToolTip(id).isEmpty() ? text.section(u'\t', 0, 0) : CommandToolTip(id));
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        m_actions[id] = action;
    };
    for (const MenuDefinition& menu : MainMenus()) {
        for (const MenuEntry& entry : menu.entries) {
            if (entry.id != 0)
                add(entry.id, ResourceFile::MenuText(QString::number(entry.id), QString::fromUtf8(entry.text)));
        }
    }
    for (int id : ToolbarButtons()) {
        if (id != 0 && !m_actions.count(id))
            add(id, CommandToolTip(id));
    }
    for (auto& [id, action] : m_actions)
        action->setIcon(ToolbarIcon(id));
    for (int id : {Cmd::WriteDescriptions, Cmd::ViewToolbar, Cmd::ViewStatusBar, Cmd::ShowGrid,
                   Cmd::ScreenDataWindow, Cmd::Simulate})
        m_actions[id]->setCheckable(true);
}

void CMainFrame::CreateMenus()
{
    int index = 0;
    for (const MenuDefinition& definition : MainMenus()) {
        const QString title =
            ResourceFile::MenuText(QStringLiteral("menu%1").arg(index++), QString::fromUtf8(definition.title));
        QMenu* menu = menuBar()->addMenu(title);
        for (const MenuEntry& entry : definition.entries) {
            if (entry.id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions.at(entry.id));
        }
        // States are current whenever a menu opens; the message pane is idle
        // again once it closes.
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommandStates);
        connect(menu, &QMenu::aboutToHide, this, [this] { SetPaneText(0, PaneStartText(0)); });
    }
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(UiText(Cmd::ViewToolbar).section(u'\n', 0, 0));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(20, 20));
    for (int id : ToolbarButtons()) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(m_actions.at(id));
    }
}

void CMainFrame::CreateStatusBar()
{
    for (int pane = 0; pane < 4; ++pane) {
        auto* label = new QLabel(PaneStartText(pane), this);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        m_panes[pane] = label;
        // Every pane stays where it is: the commands' fly-by texts are
        // written into pane 0 (see event()), never shown over it.
        statusBar()->addPermanentWidget(label);
    }
    // The panes sit side by side from the left; what their widths leave of
    // the bar stays empty at its right end.
    statusBar()->addPermanentWidget(new QWidget(statusBar()), 1);
}

void CMainFrame::CreateDockingTree()
{
    m_bar = new CCoolBar(UiText(IdsDockingWindowTitle), this, DockingBarWidth);
    m_tabs = new CCoolTabCtrl(m_bar);
    m_tree = new CCJTreeCtrl(m_tabs);
    m_tabs->AddTab(m_tree, UiText(IdsProjectTab));
    m_tabs->UpdateTabs();
    m_bar->setWidget(m_tabs);
    addDockWidget(Qt::LeftDockWidgetArea, m_bar);

    m_tree->ResetRoots(UiText(IdsScreensRoot), UiText(IdsAddressTableRoot), GreyRoot);
    m_tree->SetClickGuard([this] { return m_view && m_view->GetCanvas() && !Simulating; });
    connect(m_tree, &CCJTreeCtrl::TreeSelect, this, &CMainFrame::OnTreeSelect);
}

void CMainFrame::BindAccelerators()
{
    for (const Accelerator& accelerator : Accelerators()) {
        auto* shortcut = new QShortcut(accelerator.keys, this);
        const int id = accelerator.commandId;
        connect(shortcut, &QShortcut::activated, this, [this, id] { ExecuteCommand(id); });
    }
}

void CMainFrame::SetPaneText(int pane, const QString& text)
{
    m_panes.at(pane)->setText(text);
}

QString CMainFrame::PaneText(int pane) const
{
    return m_panes.at(pane)->text();
}

void CMainFrame::ShowDeviceInPanes()
{
    SetPaneText(1, QStringFromGbk(m_document.DeviceName));
    const QString library = QStringFromGbk(m_document.ProtocolLibraryName);
    SetPaneText(2, library.left(library.lastIndexOf(u'.')));
}

int CMainFrame::GetColorDepth() const
{
    const QScreen* screen = this->screen();
    return screen ? screen->depth() : 32;
}

QAction* CMainFrame::Action(int commandId) const
{
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::SetCommandHandler(int commandId, std::function<void()> handler)
{
    m_handlers[commandId] = std::move(handler);
}

bool CMainFrame::IsCommandEnabled(int commandId) const
{
    // Commands outside the table (hidden ones) are always available.
    const CommandStateTable states = ComputeCommandStates(GatherEditorState());
    const auto state = states.find(commandId);
    return state == states.end() || state->second.enabled;
}

void CMainFrame::RunAtCommandBoundary(const std::function<void()>& work)
{
    // Model errors end the command, never the event loop.
    try {
        work();
    } catch (const std::exception& error) {
        CurrentUi().ShowMessageText(GbkFromUtf8(error.what()), MbOk | MbIconWarning);
    }
}

void CMainFrame::ExecuteCommand(int commandId)
{
    // A command runs only while its rule enables it (accelerators included).
    const auto handler = m_handlers.find(commandId);
    if (handler != m_handlers.end() && IsCommandEnabled(commandId))
        RunAtCommandBoundary(handler->second);
    RefreshCommandStates();
}

EditorState CMainFrame::GatherEditorState() const
{
    EditorState s = DocumentEditorState(m_document);
    s.canvasExists = m_view && m_view->GetCanvas();
    s.simulating = Simulating != 0;
    s.writeDescriptions = WriteDescriptions == 1;
    s.dataWindowExists = ScreenDataWindow != nullptr;
    s.dataWindowShown = ScreenDataShown == 1;
    s.toolbarVisible = m_toolBar && !m_toolBar->isHidden();
    s.statusBarVisible = !statusBar()->isHidden();
    s.alarmListClosed = !m_view || m_view->AlarmListClosed == 1;
    s.gridShown = CPaneCtrl::GridFlag == 1;
    return s;
}

void CMainFrame::RefreshCommandStates()
{
    for (const auto& [id, state] : ComputeCommandStates(GatherEditorState())) {
        if (QAction* action = Action(id)) {
            action->setEnabled(state.enabled);
            if (action->isCheckable())
                action->setChecked(state.checked);
        }
    }
    UpdateTitle();
}

QString CMainFrame::ExpectedTitle() const
{
    return UiText(IdsEditorTitle) + QStringLiteral("-") + QString::fromStdString(m_document.ProjectPath);
}

void CMainFrame::UpdateTitle()
{
    const QString title = ExpectedTitle();
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CMainFrame::RebuildProjectTree()
{
    m_tree->ResetRoots(UiText(IdsScreensRoot), UiText(IdsAddressTableRoot), Qt::black);
    m_tree->ListScreens(m_document);
}

void CMainFrame::ShowScreenItem(int number, const QString& text)
{
    const int data = number + CCJTreeCtrl::ScreenDataOffset;
    QTreeWidgetItem* item = m_tree->FindItemByData(data);
    if (!item) {
        QTreeWidgetItem* root = m_tree->ScreensRoot();
        int at = 0;
        while (at < root->childCount() && CCJTreeCtrl::ItemData(root->child(at)) < data)
            ++at;
        item = new QTreeWidgetItem({text});
        CCJTreeCtrl::SetItemData(item, data);
        root->insertChild(at, item);
    }
    item->setText(0, text);
    m_tree->setCurrentItem(item);
    m_tree->CurrentScreenItemData = data;
    m_tree->RightClickedItemData = data;
}

void CMainFrame::OnTreeSelect(bool byClick)
{
    QTreeWidgetItem* selected = m_tree->currentItem();
    if (!selected)
        return;
    int data = CCJTreeCtrl::ItemData(selected);
    const bool screenDeleted = CCJTreeCtrl::ScreenDeletedMark == 1;
    if (data == CCJTreeCtrl::ScreensRootData) {
        // Right after a deletion the root stands for the last screen.
        if (!screenDeleted)
            return;
        QTreeWidgetItem* last = m_tree->GetLastTreeItem(m_tree->ScreensRoot());
        m_tree->setCurrentItem(last);
        data = CCJTreeCtrl::ItemData(last);
    }
    if (CCJTreeCtrl::IsScreenData(data))
        SwitchToScreen(data - CCJTreeCtrl::ScreenDataOffset, screenDeleted);
    else if (data >= CCJTreeCtrl::AddressRootData && byClick && m_view->GetCanvas())
        emit AddressTableRequested();
}

void CMainFrame::OnAddressTable()
{
    // A project without a device gets one from the device information
    // dialog first; the editor then opens on its empty table.
    RunAtCommandBoundary([this] {
        if (m_document.DeviceName.empty()) {
            CDeviceInfoDlg info(m_document, this);
            if (RunModalDialog(info) != QDialog::Accepted)
                return;
            ShowDeviceInPanes();
        }
        RunAddressTableEditor(m_document, this);
    });
}

void CMainFrame::SwitchToScreen(int number, bool screenDeleted)
{
    if (number < 1)
        return;
    m_document.CommitWorkingElements();
    const bool changed = number != m_document.CurrentScreenNumber;
    if (!m_document.EditScreen(number))
        m_document.SetWorkingElements({});
    for (const ElementRef& ref : m_document.GetWorkingElements())
        ref.element->Selected = 0;
    if (m_view) {
        m_view->ShowScreenPage();
        if (m_view->GetCanvas())
            m_view->GetCanvas()->update();
    }
    if (screenDeleted || changed)
        m_document.PushUndoSnapshot();
    if (ScreenDataWindow)
        ScreenDataWindow->RefreshList(1);
}

void CMainFrame::OnHelpContents()
{
    const QString path = QString::fromStdString(ProgramFolder()) + QStringLiteral("VX50Help.chm");
    if (!QFile::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        CurrentUi().ShowMessage(IdsHelpFileMissing);
}

void CMainFrame::OnAbout()
{
    QMessageBox box(QMessageBox::Information, UiText(IdsAppTitle), UiText(IdsEditorTitle), QMessageBox::Ok, this);
    FitTitle(box);
    RunModalDialog(box);
}

void CMainFrame::OnFirmwareVersion()
{
    const std::string version = RunFirmwareVersionCommand();
    if (!version.empty())
        SetPaneText(3, QStringFromGbk(version));
}

void CMainFrame::OnPingSet()
{
    CPingSetDlg dialog(this);
    if (RunModalDialog(dialog) == QDialog::Accepted)
        StationAddress = dialog.StationAddress();
}

void CMainFrame::OnPageDownload()
{
    TransferInputBlock inputBlock;
    PageDownloadChoices choices;
    choices.chooseFile = [this]() -> std::optional<QString> {
        QFileDialog dialog(this, QString(), QString(), QStringLiteral("二进制文件(*.bin)"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("bin"));
        const QString path = ChooseFile(dialog, FileKind::PageData, QString::fromStdString(m_document.ProjectPath));
        if (path.isEmpty())
            return std::nullopt;
        return path;
    };
    choices.choosePages = [this]() -> std::optional<PageRange> {
        CPageSetDlg dialog(PageStart, PageEnd, this);
        if (RunModalDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        PageStart = dialog.StartPage();
        PageEnd = dialog.EndPage();
        return PageRange{PageStart, PageEnd};
    };
    RunPageDownload(CurrentUi(), PanelPortName(1), choices);
}

std::string CMainFrame::QueryFirmwareVersion(CPanelSerial& port)
{
    return ::QueryFirmwareVersion(port);
}

std::uint16_t CMainFrame::BuildPageFrame(const std::uint8_t* source, std::uint8_t* destination, std::uint8_t block)
{
    return ::BuildPageFrame(source, destination, block);
}

void CMainFrame::OnToggleWriteDescriptions()
{
    WriteDescriptions = WriteDescriptions == 1 ? 0 : 1;
}

void CMainFrame::OnToggleScreenDataWindow()
{
    ScreenDataShown = ScreenDataShown == 1 ? 0 : 1;
    if (ScreenDataWindow)
        ScreenDataWindow->setVisible(ScreenDataShown == 1);
    if (m_view)
        m_view->update();
}

void CMainFrame::OnSimulate()
{
    m_simulation->OnSimulate();
}

void CMainFrame::OnTimer()
{
    m_simulation->OnTimer();
    if (m_closeAfterStop && Simulating == 0) {
        m_closeAfterStop = false;
        close();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A running simulation stops first, once its pass has ended; the window
    // closes at that tick.
    if (Simulating == 1) {
        m_simulation->RequestStop();
        m_closeAfterStop = true;
        event->ignore();
        return;
    }
    if (m_document.ProjectModified == 1) {
        const int answer = CurrentUi().ShowMessage(IdsFileModifiedSave, MbYesNoCancel | MbIconInformation);
        if (answer == IdCancel) {
            event->ignore();
            return;
        }
        if (answer == IdYes) {
            m_view->SaveAs = 0;
            // A save the user cancelled, or one that failed, keeps the window
            // and the project: closing now would lose the changes.
            if (m_view->SaveProject() != CVX50TextView::SaveResult::Written) {
                event->ignore();
                return;
            }
        }
    }
    m_stateTimer->stop();
    event->accept();
}

bool CMainFrame::event(QEvent* event)
{
    // A command under the pointer (toolbar button or menu item) shows its
    // fly-by text in the message pane; an empty tip, when the pointer leaves
    // it, brings "Ready" back.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        SetPaneText(0, tip.isEmpty() ? PaneStartText(0) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    SizeStatusPanes();
}

void CMainFrame::SizeStatusPanes()
{
    const int width = this->width();
    m_panes[0]->setFixedWidth(width / 8);
    for (int pane = 1; pane < 4; ++pane)
        m_panes[pane]->setFixedWidth(width / 4);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    // A dropped file opens as File Open would, under the same rule.
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile() && IsCommandEnabled(Cmd::FileOpen))
        RunAtCommandBoundary([&] { emit FileDropped(urls.first().toLocalFile()); });
}
