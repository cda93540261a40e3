#include "shell/ui/CVX50TextView.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "devices/ui/CDeviceSelectDlg.h"
#include "model/CVX50TextDoc.h"
#include "model/ProjectReset.h"
#include "pages/ui/CPropertyDlg.h"
#include "settings/ui/CAlarmListDlg.h"
#include "shell/CommandIds.h"
#include "shell/PictureFile.h"
#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CElementListDlg.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CProgressDlg.h"
#include "shell/ui/CanvasPages.h"
#include "shell/ui/GuiUserInterface.h"
#include "shell/ui/TransferInputBlock.h"
#include "shell/ui/ViewCommands.h"
#include "simulator/SimulationControl.h"
#include "simulator/ui/CKeypadDlg.h"
#include "transfer/ComPortNames.h"
#include "transfer/ComPortNumber.h"
#include "transfer/CompileCommand.h"
#include "transfer/PanelExchanges.h"
#include "transfer/ReadPanelCommand.h"
#include "transfer/WritePanelCommand.h"
#include "transfer/image/MainArea.h"
#include "transfer/ui/CPasswordDlg.h"
#include "transfer/ui/CUsageChart.h"
#include "transfer/ui/ComPortDlg.h"
#include "widgets/FileDialogFolders.h"
#include "widgets/UiText.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>

namespace {

const QColor Background(214, 211, 206);

} // namespace

CVX50TextView::CVX50TextView(CVX50TextDoc& document, CMainFrame& frame)
    : QWidget(&frame)
    , m_document(document)
    , m_frame(frame)
{
    setObjectName(QStringLiteral("View"));
    setFocusPolicy(Qt::StrongFocus);
    RegisterCommands();
}

CVX50TextView::~CVX50TextView()
{
    delete ProgressWindow;
}

void CVX50TextView::RegisterCommands()
{
    m_frame.SetCommandHandler(Cmd::FileNew, [this] { OnFileNew(); });
    m_frame.SetCommandHandler(Cmd::FileSave, [this] { OnFileSave(); });
    m_frame.SetCommandHandler(Cmd::FileSaveAs, [this] { OnFileSaveAs(); });
    m_frame.SetCommandHandler(Cmd::Device, [this] { OnDevice(); });
    m_frame.SetCommandHandler(Cmd::ComPort, [this] { OnComPort(); });
    m_frame.SetCommandHandler(Cmd::WritePanel, [this] { OnWritePanel(); });
    m_frame.SetCommandHandler(Cmd::ReadPanel, [this] { OnReadPanel(); });
    m_frame.SetCommandHandler(Cmd::Compile, [this] { OnCompile(); });
    m_frame.SetCommandHandler(Cmd::ToolPicture, [this] { OnToolPicture(); });
    const std::pair<int, int> tools[] = {
        {Cmd::ToolLamp, ToolLamp},         {Cmd::ToolFuncKey, ToolFuncKey},   {Cmd::ToolStaticText, ToolStaticText},
        {Cmd::ToolDynText, ToolDynamicText}, {Cmd::ToolRegister, ToolRegister}, {Cmd::ToolBarGraph, ToolBarGraph},
        {Cmd::ToolCurve, ToolCurveGraph},
    };
    for (const auto& [command, tool] : tools)
        m_frame.SetCommandHandler(command, [this, tool = tool] { SetTool(tool); });
    RegisterViewCommands(m_frame, *this);
}

ViewLayout CVX50TextView::Layout() const
{
    return ComputeViewLayout(width(), height(), m_simulationLayout);
}

void CVX50TextView::SetTool(int tool)
{
    if (m_canvas)
        m_canvas->CurrentTool = tool;
    setFocus();
}

void CVX50TextView::OnToolPicture()
{
    if (!m_canvas)
        return;
    QFileDialog dialog(&m_frame, QString(), QString(), UiText(IdsBitmapFileFilter) + QStringLiteral("(*.bmp)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString path = ChooseFile(dialog, FileKind::Picture, QString::fromStdString(m_document.ProjectPath));
    if (path.isEmpty()) {
        m_canvas->CurrentTool = ToolSelect;
        return;
    }
    const QImage bitmap = ReadPictureFile(path);
    if (bitmap.isNull()) {
        CurrentUi().ShowMessage(IdsBitmapLoadFailed);
        m_canvas->CurrentTool = ToolSelect;
        return;
    }
    // The full path is kept: placing must not depend on the current folder.
    m_canvas->PicturePath = path;
    m_canvas->PictureBitmap = bitmap;
    m_canvas->CurrentTool = ToolPicture;
}

void CVX50TextView::OnDevice()
{
    const std::string device = m_document.DeviceName;
    const std::vector<AlarmSegment> alarms = m_document.AlarmSegments;
    CDeviceSelectDlg dialog(m_document, m_canvas != nullptr, &m_frame);
    if (RunModalDialog(dialog) != QDialog::Accepted)
        return;
    // Another device empties the alarms or leaves their groups behind; a
    // new default port or station rewrites them.
    if (m_document.DeviceName != device || m_document.AlarmSegments != alarms)
        CloseAlarmList();
    m_document.ResetOnNew = 1;
    if (m_canvas) {
        // Stations, ports and bindings may have changed under the shown page.
        ShowPageAfterRestore();
        m_canvas->update();
    }
}

void CVX50TextView::OnComPort()
{
    CComPortDlg dialog(&m_frame);
    if (RunModalDialog(dialog) == QDialog::Accepted)
        m_document.ProjectComPort = ComPortNumber();
}

bool CVX50TextView::EndTransfer(CPanelSerial& port)
{
    return ::EndTransfer(port);
}

void CVX50TextView::OnWritePanel()
{
    TransferInputBlock inputBlock;
    WritePanelCommand::Options options;
    options.askDescriptions = m_frame.WriteDescriptions == 0;
    options.portName = PanelPortName(ComPortNumber());
    options.showVersion = [this](const std::string& version) { m_frame.SetPaneText(3, QStringFromGbk(version)); };
    if (WritePanelCommand(m_document, ProtocolFunctions, CurrentUi()).Run(options))
        update();
}

void CVX50TextView::OnReadPanel()
{
    TransferInputBlock inputBlock;
    ReadPanelCommand::Options options;
    options.portName = PanelPortName(ComPortNumber());
    options.showVersion = [this](const std::string& version) { m_frame.SetPaneText(3, QStringFromGbk(version)); };
    options.askPassword = [this]() -> std::optional<int> {
        CPasswordDlg dialog(&m_frame);
        if (RunModalDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        ProjectPassword = dialog.Password();
        return ProjectPassword;
    };
    // File New without the device question; a save prompt answered Cancel
    // leaves the open project modified.
    options.freshProject = [this] {
        AskDeviceOnNew = 0;
        m_document.ResetOnNew = 1;
        OnFileNew();
        if (m_document.ProjectModified == 1) {
            AskDeviceOnNew = 1;
            return false;
        }
        return true;
    };
    const bool read = ReadPanelCommand(m_document, ProtocolFunctions, CurrentUi()).Run(options);
    AskDeviceOnNew = 1;
    if (read) {
        m_frame.ShowDeviceInPanes();
        ShowScreenPage();
        m_frame.RefreshCommandStates();
    }
    update();
}

void CVX50TextView::OnCompile()
{
    TransferInputBlock inputBlock;
    CompileCommand(m_document, ProtocolFunctions, CurrentUi()).Run([this](const ImageUsage& usage) {
        if (!UsageValues)
            return;
        UsageValues->SetValue(0, usage.used);
        UsageValues->SetValue(1, usage.free);
        update(UsageChartRect);
    });
    m_frame.update();
}

void CVX50TextView::OnFileNew()
{
    if (!m_canvas) {
        if (AskDeviceOnNew == 1)
            OnDevice();
        if (m_document.ResetOnNew == 0)
            return;
        CreateChildWindows();
    } else {
        if (m_document.ProjectModified == 1) {
            const int answer = CurrentUi().ShowMessage(IdsFileModifiedSave, MbYesNoCancel | MbIconInformation);
            if (answer == IdCancel)
                return;
            if (answer == IdYes) {
                SaveAs = 0;
                // The user asked to keep the project: unless it was written,
                // File New must not throw it away.
                if (SaveProject() != SaveResult::Written)
                    return;
            }
        }
        if (AskDeviceOnNew == 1)
            OnDevice();
        if (m_document.ResetOnNew == 0)
            return;
        ResetProject();
    }
    if (m_frame.ScreenDataWindow)
        m_frame.ScreenDataWindow->RefreshList(1);
    m_document.ResetOnNew = 0;
    AskDeviceOnNew = 1;
    m_frame.RefreshCommandStates();
}

void CVX50TextView::CreateChildWindows()
{
    CreatePages();
    KeypadWindow = new CKeypadDlg(m_frame.Simulation().Keypad(), this);
    KeypadWindow->hide();
    m_canvas = new CPaneCtrl(m_document, this);
    m_canvasPages = std::make_unique<CanvasPages>(*this, m_frame);
    m_canvas->SetPageHost(m_canvasPages.get());
    m_canvas->SetSimulationState(&m_frame.Simulation());
    m_canvas->show();

    // The tree turns from a grey frame into the project.
    CCJTreeCtrl& tree = *m_frame.GetTreeCtrl();
    tree.SetItemColor(tree.ScreensRoot(), Qt::black);
    tree.SetItemColor(tree.AddressRoot(), Qt::black);
    const int itemData = static_cast<int>(m_document.GetScreens().size()) + CCJTreeCtrl::ScreenDataOffset;
    const QString name = QStringFromGbk(m_document.DefaultScreenDescription(1));
    tree.setCurrentItem(tree.AppendScreenItem(name, itemData));
    tree.CurrentScreenItemData = itemData;
    if (!m_document.GetScreens().empty())
        m_document.GetScreens().front().Port = m_document.DefaultPort;

    m_frame.ScreenDataWindow = new CElementListDlg(m_document, this);
    m_frame.ScreenDataWindow->SetPageHost(m_canvasPages.get());
    m_frame.ScreenDataWindow->SetCanvas(m_canvas);
    ConnectPages();
    PlaceChildWindows();
    m_frame.ScreenDataWindow->setVisible(m_frame.ScreenDataShown == 1);

    ShowScreenPage();

    UsageChart = std::make_unique<CUsageChart>(2, 0);
    UsageChart->SetSeriesName(0, StringGbk(IdsChartUsed));
    UsageChart->SetSeriesName(1, StringGbk(IdsChartFree));
    UsageChart->SetTitle(StringGbk(IdsChartTitle));
    auto values = std::make_unique<CChartValues>();
    values->SetValue(0, 1);
    values->SetValue(1, kPanelCapacity);
    UsageValues = values.get();
    UsageChart->AddValues(std::move(values));
    update();
}

void CVX50TextView::CloseAlarmList()
{
    if (AlarmListDialog)
        AlarmListDialog->reject();
}

void CVX50TextView::ResetProject()
{
    // An open alarm list edits the project being left; its OK must not
    // write that list into the new one.
    CloseAlarmList();
    ResetProjectForNew(m_document);

    // One screen item is left, named like the screen.
    CCJTreeCtrl& tree = *m_frame.GetTreeCtrl();
    QTreeWidgetItem* root = tree.ScreensRoot();
    // All items leave at once: one by one, each removal would move the
    // current item (and scroll to it) again.
    QList<QTreeWidgetItem*> items = root->takeChildren();
    if (!items.isEmpty())
        root->addChild(items.takeLast());
    qDeleteAll(items);
    const QString name = QStringFromGbk(m_document.DefaultScreenDescription(1));
    const int itemData = 1 + CCJTreeCtrl::ScreenDataOffset;
    QTreeWidgetItem* item = root->childCount() ? root->child(0) : tree.AppendScreenItem(name, itemData);
    item->setText(0, name);
    CCJTreeCtrl::SetItemData(item, itemData);
    tree.setCurrentItem(item);
    tree.CurrentScreenItemData = itemData;

    m_canvas->update();
    ShowScreenPage();

    m_frame.WriteDescriptions = 0;
    m_frame.UsedCharTable.fill(0);
    m_frame.UsedCharTableCount = 0;
}

void CVX50TextView::ShowSimulationLayout(bool on)
{
    m_simulationLayout = on;
    if (!m_canvas)
        return;
    PlaceChildWindows();
    KeypadWindow->setVisible(on);
    m_pageArea->setVisible(!on);
    if (on) {
        for (CPropertyDlg* page : Pages())
            page->hide();
    } else {
        ShowScreenPage();
    }
    update();
}

void CVX50TextView::PlaceChildWindows()
{
    if (!m_canvas)
        return;
    const ViewLayout l = Layout();
    m_canvas->setGeometry(l.canvas);
    m_pageArea->setGeometry(l.pages);
    KeypadWindow->setGeometry(l.keypad);
    if (m_frame.ScreenDataWindow)
        m_frame.ScreenDataWindow->setGeometry(l.dataWindow);
}

void CVX50TextView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceChildWindows();
}

void CVX50TextView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool editingKey = key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Right ||
                            key == Qt::Key_Up || key == Qt::Key_Down;
    const bool clipboardKey = (event->modifiers() & Qt::ControlModifier) &&
                              (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X);
    // A key the canvas leaves comes back here through its parent: it then
    // goes the normal way. A key that a text field leaves (Up and Down in a
    // line edit) was typed into the field, not meant for the elements.
    const QWidget* focused = focusWidget();
    const bool typedIntoText = focused && focused->testAttribute(Qt::WA_InputMethodEnabled);
    if (m_canvas && (editingKey || clipboardKey) && !m_forwardingKey && !typedIntoText) {
        m_forwardingKey = true;
        QCoreApplication::sendEvent(m_canvas, event);
        m_forwardingKey = false;
        return;
    }
    QWidget::keyPressEvent(event);
}

void CVX50TextView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ViewLayout l = Layout();
    if (m_canvas)
        painter.fillRect(QRect(0, 0, l.backgroundRight, l.bandHeight), Background);
    else
        painter.fillRect(rect(), Background);
    // Where the screen-data window would stand while it is hidden.
    if (m_frame.ScreenDataShown == 0)
        painter.fillRect(QRect(l.backgroundRight, 0, width() - l.backgroundRight, height()), Background);
    if (UsageChart) {
        UsageChartRect = l.chart;
        if (l.chartVisible)
            UsageChart->Draw(painter, l.chart.left(), l.chart.top(), l.chart.left() + l.chart.width(),
                l.chart.top() + l.chart.height());
    }
}
