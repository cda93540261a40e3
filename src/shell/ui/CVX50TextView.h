#pragma once

#include "shell/ViewLayout.h"
#include "transfer/PollGroup.h"
#include "transfer/ProtocolFunctionTable.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class CAlarmListDlg;
class CBarGraphPropertyDlg;
class CanvasPages;
class CChartValues;
class CCurvePropertyDlg;
class CDynTextPropertyDlg;
class CFuncKeyPropertyDlg;
class CKeypadDlg;
class CLampPropertyDlg;
class CMainFrame;
class CPaneCtrl;
class CPanelSerial;
class CPicturePropertyDlg;
class CProgressDlg;
class CPropertyDlg;
class CRegisterPropertyDlg;
class CScreenElement;
class CScreenPropertyDlg;
class CTextPropertyDlg;
class CUsageChart;
class CVX50TextDoc;
class QScrollArea;

// The client area right of the project tree. It owns the editor's child
// windows: the canvas, the nine property pages, the keypad window and the
// usage chart; none exists until the first File New has run to its end. It
// lays them out on every resize and carries the element tools.
class CVX50TextView : public QWidget {
    Q_OBJECT
public:
    // How the save core ended.
    enum class SaveResult { Written, Cancelled, Failed };

    CVX50TextView(CVX50TextDoc& document, CMainFrame& frame);
    ~CVX50TextView() override;

    CVX50TextDoc& GetDocument() const { return m_document; }
    // The canvas; null before the first File New.
    CPaneCtrl* GetCanvas() const { return m_canvas; }
    ViewLayout Layout() const;

    // The save core shared by Save, Save As and the save prompts; reads
    // SaveAs.
    SaveResult SaveProject();

    // The simulation's layout (the canvas over the keypad window's display,
    // the keypad window shown, every page hidden) or the editor's (the
    // keypad window hidden, the screen page shown).
    void ShowSimulationLayout(bool on);

    // The screen page filled from the edited screen, the element pages hidden.
    void ShowScreenPage();
    void HideElementPages();
    // The page that edits `element`'s kind (texts and graphs by sub-kind),
    // and the page of the elements `tool` places; null before the first
    // File New.
    CPropertyDlg* PageOf(const CScreenElement& element) const;
    CPropertyDlg* PageOfTool(int tool) const;
    // Shows the page of `element`'s kind alone, bound to the element and
    // loaded from it; `placed` for an element the canvas has just placed.
    void ShowElementPage(const std::shared_ptr<CScreenElement>& element, bool placed);
    // After undo or redo: the page of the restored working element when it
    // is selected, else the screen page.
    void ShowPageAfterRestore();
    // Every element of the project is checked against the address table by
    // its page (which completes an empty group or name); then each page is
    // bound again to the element it had and the shown page reloads it.
    void LoadAddressesOfAllElements();

    // Brings element `elementIndex` of screen `screenIndex` (indexes into the
    // document's lists) into view, selected and shown in the page of `kind`,
    // so that the user sees an element a check found faulty. Neither commits
    // the screen being left nor takes a snapshot; indexes outside the lists
    // change nothing.
    void GoToElement(int screenIndex, int elementIndex, int kind);

    // The end exchange of a transfer on an open port (transfer/PanelExchanges.h):
    // up to 3 tries, IdsCheckConnectionOrPort after the third failure.
    static bool EndTransfer(CPanelSerial& port);

    // The poll plan of one screen over the document (transfer/ScreenPollPlan.h),
    // grouped with the loaded protocol library's coil positions.
    bool CollectScreenAddresses(int screenIndex, std::vector<PollItem>& wordBits, std::vector<PollItem>& coils,
        std::vector<PollItem>& words) const;
    std::vector<PollGroup> BuildPollGroups(std::vector<PollItem> wordBits, std::vector<PollItem> coils,
        std::vector<PollItem> words) const;
    bool AddressInTable(int wordAddress, bool wordGroups) const;

    // The nine pages in creation order: function key, bar graph, dynamic
    // text, lamp, picture, register, screen, text, curve.
    std::vector<CPropertyDlg*> Pages() const;
    // Where the pages stand: the shown page fills it, and scroll bars appear
    // when the page needs more room than the window leaves it.
    QScrollArea* PageArea() const { return m_pageArea; }

    CFuncKeyPropertyDlg* FuncKeyPage = nullptr;
    CBarGraphPropertyDlg* BarGraphPage = nullptr;
    CDynTextPropertyDlg* DynTextPage = nullptr;
    CLampPropertyDlg* LampPage = nullptr;
    CPicturePropertyDlg* PicturePage = nullptr;
    CRegisterPropertyDlg* RegisterPage = nullptr;
    CScreenPropertyDlg* ScreenPage = nullptr;
    CTextPropertyDlg* TextPage = nullptr;
    CCurvePropertyDlg* CurvePage = nullptr;
    CKeypadDlg* KeypadWindow = nullptr;
    std::unique_ptr<CUsageChart> UsageChart;
    // The chart's data set (owned by the chart): bytes used and free.
    CChartValues* UsageValues = nullptr;
    QRect UsageChartRect;
    CProgressDlg* ProgressWindow = nullptr;
    // The loaded protocol library's entry points (transfer/ProtocolLibrary.h).
    ProtocolFunctionTable ProtocolFunctions;
    // 1: the next save asks for a file name even when the project has a path.
    int SaveAs = 1;
    // The progress flag. 1: File New asks for the device; open and read set
    // it to 0 while they run File New, and File New sets it back to 1 when it
    // runs to its end. While it is 0 no progress window is shown or driven:
    // a save from File New's prompt leaves the operation's window alone.
    int AskDeviceOnNew = 1;
    // 1 while no alarm list is open; the one opened last, while it exists.
    int AlarmListClosed = 1;
    QPointer<CAlarmListDlg> AlarmListDialog;
    int ProjectPassword = 0;
    // One byte per dot of a picture read back from the panel.
    std::array<std::uint8_t, 49152> PixelBuffer{};

public slots:
    void OnFileNew();
    // Save to the project's path (asking for one when it has none) and Save
    // As; a written project is no longer modified.
    void OnFileSave();
    void OnFileSaveAs();
    // The device question of File New and the Device command: the device
    // dialog applies the chosen device; its OK lets File New go ahead.
    void OnDevice();
    // The PC serial port; on OK the project's simulation port follows it.
    void OnComPort();
    // Writes the project's panel image to the panel (transfer/WritePanelCommand.h).
    void OnWritePanel();
    // Reads the panel image back into a fresh project (transfer/ReadPanelCommand.h).
    void OnReadPanel();
    // Measures the project's panel image and shows it in the usage chart
    // (transfer/CompileCommand.h).
    void OnCompile();
    void OnToolPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The view holds the keyboard focus for its canvas (a press on the
    // canvas focuses the view, as does choosing a tool): the editing keys
    // typed then go to the canvas.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateChildWindows();
    void CreatePages();
    void ConnectPages();
    void PlaceChildWindows();
    void ResetProject();
    // Ends an open alarm list without writing its copy back: the project's
    // alarms changed under it.
    void CloseAlarmList();
    void RegisterCommands();
    void SetTool(int tool);

    CVX50TextDoc& m_document;
    CMainFrame& m_frame;
    CPaneCtrl* m_canvas = nullptr;
    QScrollArea* m_pageArea = nullptr;
    std::unique_ptr<CanvasPages> m_canvasPages;
    bool m_forwardingKey = false;
    bool m_simulationLayout = false;
};
