#pragma once

#include "shell/CommandStates.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class CCJTreeCtrl;
class CCoolBar;
class CCoolTabCtrl;
class CElementListDlg;
class CPanelSerial;
class CVX50TextDoc;
class CVX50TextView;
class QLabel;
class QTimer;
class SimulationControl;
class SimulationWindows;

// The editor's main window: menu bar, toolbar, status bar with four panes,
// the docking project tree at the left and the view in the middle. It owns
// the state several parts share (the flags below, the screen-data window)
// and switches the edited screen when the tree selects one.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CVX50TextDoc& document);
    ~CMainFrame() override;

    CVX50TextDoc& GetDocument() const { return m_document; }
    CVX50TextView* GetActiveView() const { return m_view; }
    CCJTreeCtrl* GetTreeCtrl() const { return m_tree; }

    // Status-bar panes: 0 message, 1 device, 2 protocol, 3 firmware version.
    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;
    // Panes 1 and 2 from the document: the device name and the protocol
    // library's file name up to its last ".".
    void ShowDeviceInPanes();

    // Bits per pixel of the screen the window is on.
    int GetColorDepth() const;

    // Commands of the menus, toolbar and accelerators. A handler registered
    // for an id runs when the command is chosen while it is enabled.
    QAction* Action(int commandId) const;
    void SetCommandHandler(int commandId, std::function<void()> handler);
    void ExecuteCommand(int commandId);
    // Whether the command rules enable `commandId` now.
    bool IsCommandEnabled(int commandId) const;

    // The snapshot the command rules look at, and the rules' answer.
    EditorState GatherEditorState() const;
    // Applies the command states to the actions (also every 500 ms).
    void RefreshCommandStates();

    // "VX系列 画面设置工具-" followed by the project path.
    QString ExpectedTitle() const;
    void UpdateTitle();

    // Empties the tree and lists the project's screens by number (undo, redo).
    void RebuildProjectTree();

    // Shows screen `number` in the tree with `text`, inserting its item in
    // number order when it has none, and selects it.
    void ShowScreenItem(int number, const QString& text);

    // Screen selection from the tree (`byClick` for a left click).
    void OnTreeSelect(bool byClick);

    // The simulation of the panel against the device: the simulate command
    // (Ctrl+M) starts it, or requests its stop, which the timer completes.
    SimulationControl& Simulation() const { return *m_simulation; }
    void OnSimulate();

    // The panel exchanges the transfer commands share (transfer/PanelExchanges.h,
    // transfer/PanelFrames.h): the firmware version of an open port (empty
    // after a failure) and the block frame of 256 bytes.
    static std::string QueryFirmwareVersion(CPanelSerial& port);
    static std::uint16_t BuildPageFrame(const std::uint8_t* source, std::uint8_t* destination, std::uint8_t block);

    // Shared state (start values of a new frame).
    int WriteDescriptions = 0;
    std::array<std::uint8_t, 3000> UsedCharTable{};
    int UsedCharTableCount = 0;
    int PageStation = 1;
    int PageStart = 40;
    int PageEnd = 40;
    int StationAddress = 1;
    // 1 while the simulation runs (the simulation sets it).
    int Simulating = 0;
    // The screen-data window (a child of the view, created by the first
    // File New) and whether the user wants it shown.
    CElementListDlg* ScreenDataWindow = nullptr;
    int ScreenDataShown = 1;

signals:
    // A left click on the address-table root of an open editor: the device's
    // address-table editor opens (asking for a device first when there is
    // none).
    void AddressTableRequested();
    // A file was dropped on the window while File Open may run.
    void FileDropped(const QString& path);

public slots:
    void OnHelpContents();
    void OnAbout();
    // Asks the panel for its firmware version and shows it in pane 3.
    void OnFirmwareVersion();
    // Runs the station-address dialog; OK sets StationAddress.
    void OnPingSet();
    // Sends pages of a "*.bin" file to the panel on COM1
    // (transfer/PageDownload.h); the page range is asked in "PAGE SET".
    void OnPageDownload();
    void OnToggleWriteDescriptions();
    void OnToggleScreenDataWindow();
    // Timer 1 of the simulation, every 50 ms while it runs.
    void OnTimer();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Runs `work`; an error it throws ends it with a message.
    static void RunAtCommandBoundary(const std::function<void()>& work);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateDockingTree();
    void BindAccelerators();
    void SwitchToScreen(int number, bool screenDeleted);
    // The address-table editor on the project's device.
    void OnAddressTable();
    void SizeStatusPanes();

    CVX50TextDoc& m_document;
    CVX50TextView* m_view = nullptr;
    CCoolBar* m_bar = nullptr;
    CCoolTabCtrl* m_tabs = nullptr;
    CCJTreeCtrl* m_tree = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::array<QLabel*, 4> m_panes{};
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    QTimer* m_stateTimer = nullptr;
    // The host before the simulation that uses it: the simulation, which
    // waits for a running pass, goes first.
    std::unique_ptr<SimulationWindows> m_simulationWindows;
    std::unique_ptr<SimulationControl> m_simulation;
    // A close waits for the simulation's stop.
    bool m_closeAfterStop = false;
};
