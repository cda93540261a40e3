#pragma once

#include "shell/CanvasGeometry.h"
#include "shell/ElementClipboard.h"
#include "shell/ui/ElementRasters.h"
#include "model/elements/ElementKind.h"

#include <QBasicTimer>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class CScreenElement;
class CVX50TextDoc;
class CanvasPageHost;
class QMenu;
class SimulatedDisplayState;
struct SimulatedDisplayFlags;

// The canvas: the panel's 192 x 64 dot display stretched over the widget.
// In edit mode it shows the edited screen's working element list on white
// with a dot grid, selection frames, the rubber band and the preview box of
// an armed tool, and edits it by mouse and keys. While the simulation runs it
// shows the simulated display with its overlays instead.
//
// Every paint draws into one off-screen image of the widget's size and
// copies it to the screen once; the widget repaints every 100 ms while the
// left button is up, so what others change shows without a call. In edit
// mode a paint rasterises only the elements whose drawing changed (see
// ElementRasters and the editor layer); the simulated display is drawn
// afresh every time, its values being live.
class CPaneCtrl : public QWidget {
    Q_OBJECT
public:
    CPaneCtrl(CVX50TextDoc& document, QWidget* parent);
    ~CPaneCtrl() override;

    // The pages and frame the canvas talks to; null leaves them out.
    void SetPageHost(CanvasPageHost* host) { m_host = host; }
    // The simulation the canvas shows; null while there is none.
    void SetSimulationState(const SimulatedDisplayState* state) { m_simulation = state; }

    // Paints the whole canvas, as it is now, at the widget's size.
    void Render(QPainter& painter);

    // Element operations on the selection, reached from the keys, the
    // context menu and the commands.
    void CopySelection();
    void PasteElements();
    void CutSelection();
    void DeleteSelection();
    // Layer operations: the selection to the bottom or the top of the
    // drawing order, or one layer down or up.
    void SendToBottom();
    void BringToTop();
    void MoveDownOne();
    void MoveUpOne();

    // The insertion tool: 0 selects, 1 to 8 place an element of that kind at
    // the next press; back to 0 after that press or a right click.
    int CurrentTool = ToolSelect;
    // The picture the picture tool places: the chosen file's full path and
    // the image loaded from it (placing uses the image; the path is the
    // fall-back when no image is held).
    QString PicturePath;
    QImage PictureBitmap;
    // Travels through the project file; nothing drawn depends on it.
    int DisplaySetting = 1;
    // The open rubber band in dots; all -1 when none.
    PixelRect RubberBand{-1, -1, -1, -1};
    int GridColumns = 24;
    int GridRows = 8;
    // The dot grid is drawn while this is 1; one switch for the whole run.
    static inline int GridFlag = 1;

    // The context menu of the last right click (null before the first).
    QMenu* ContextMenu() const { return m_contextMenu; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Keys arrive from the view, which takes the focus for the canvas.
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void RenderEditing(QPainter& painter);
    // Brings the editor layer up to date with the working elements.
    void UpdateEditorLayer();
    void RenderSimulated(QPainter& painter, const SimulatedDisplayFlags& flags);
    void DrawElements(QPainter& painter, bool simulating);
    void DrawRubberBand(QPainter& painter);
    void DrawToolPreview(QPainter& painter);
    bool Simulating() const;

    void LeftButtonDown(QPoint at, Qt::KeyboardModifiers modifiers);
    void PlaceElement(QPoint at);
    void SelectAt(QPoint at, bool ctrl);
    void ShowPagesOfSelectedAt(QPoint at);
    void RightButtonDown(QPoint globalAt);
    bool DragSelection(QPoint at);
    void StretchRubberBand(QPoint at);
    void NudgeSelection(int key);
    void RefreshMovedPages(const std::vector<std::shared_ptr<CScreenElement>>& moved, bool listRowsToo);
    void ResetPress();
    void ShowDeletion(int removed);
    void ChangeLayers(bool (*operation)(ElementList&), bool refreshUnchanged);

    CVX50TextDoc& m_document;
    CanvasPageHost* m_host = nullptr;
    ElementClipboard m_clipboard{m_document};
    const SimulatedDisplayState* m_simulation = nullptr;
    QImage m_offscreen;
    // The editor's display without the rubber band and the tool preview:
    // the grid, the elements and their selection frames, kept while the key
    // of all that (grid, selection and each element's drawing key) is
    // unchanged; an empty key is never kept.
    QImage m_editorLayer;
    std::string m_editorLayerKey;
    ElementRasters m_elementRasters;
    QBasicTimer m_timer;
    QMenu* m_contextMenu = nullptr;

    // The press: the pressed element's position in dots then (-1 when no
    // press is under way), the press point in pixels, whether an element
    // was pressed (any value but 0 counts) and whether a drag is moving the
    // selection.
    float m_startX = -1.0f;
    float m_startY = -1.0f;
    float m_pressX = 0.0f;
    float m_pressY = 0.0f;
    int m_elementPressed = -1;
    int m_dragging = 0;
    // Watched only: an element deleted meanwhile is no longer pressed.
    std::weak_ptr<CScreenElement> m_pressedElement;
    bool m_leftDown = false;
    // The last mouse position seen, for the tool preview.
    std::optional<QPoint> m_cursor;
};
