#pragma once

#include "widgets/InPlaceCellEdit.h"

#include <QPointer>
#include <QTableWidget>

#include <optional>
#include <string>
#include <vector>


// A report list whose cells are edited in place by a line editor laid over
// one cell. The list does nothing itself on a left-button press: it passes
// the press on to its owner (leftButtonPressed, with the point in viewport
// coordinates), which finds the cell with HitTestCell and opens an editor on
// it. At most one editor is open; it ends when it loses the focus, and
// scrolling the list takes the focus, so a scroll ends an open edit.
class InPlaceEditList : public QTableWidget {
    Q_OBJECT
public:
    explicit InPlaceEditList(QWidget* parent = nullptr);

    // Appends a column; its alignment is that of its texts and its editor.
    void AddColumn(const QString& heading, int width, Qt::Alignment alignment = Qt::AlignLeft);

    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);

    // The row under `point` (viewport coordinates), or -1; `column` receives
    // the column under it (0 when none). A column spans from its left edge
    // to its left edge plus its width, both included.
    int HitTestCell(const QPoint& point, int* column = nullptr) const;

    // The open cell editor, or nullptr.
    InPlaceCellEdit* CurrentEditor() const { return m_currentEditor; }
    // Ends a running edit as a loss of focus would, and gives the list the
    // focus. Returns false when the editor refused to end and is still open.
    bool EndEdit();

    // The first row shown, -1 when the list has no rows.
    int TopVisibleRow() const;

    // The column's texts as GBK bytes, rows 0 to `rows` - 1 (all rows when -1).
    std::vector<std::string> ColumnTexts(int column, int rows = -1) const;

signals:
    // A left-button press on the list, passed on to its owner.
    void leftButtonPressed(const QPoint& point, Qt::KeyboardModifiers modifiers);
    // A committed cell ended up empty.
    void cellEmptied(int row, int column);

protected:
    // The rectangle of an editor over the cell, after scrolling the cell
    // into view; nothing for column 0, a cell that does not exist, or a
    // column narrower than 5 pixels.
    std::optional<QRect> EditorRect(int row, int column);
    // Lays `editor` over `cell` with its column's alignment, makes it the
    // open editor and starts it (initial text, focus).
    void StartEditor(InPlaceCellEdit* editor, const QRect& cell);
    // Whether a left-button press is passed on to the owner.
    virtual bool PassesLeftButtonOn() const { return true; }
    // The list's own handling of a left-button press, after it was passed on.
    virtual void LeftButtonPressed() {}

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // Paints over a cell: filled, outlined, and with its text again when
    // `withText` (5 pixels from the left, 1 below the top).
    void PaintCellOver(QPainter& painter, int row, int column, const QColor& fill, const QColor& outline,
                       bool withText) const;

private:
    friend class InPlaceCellEdit;
    // The cell takes the text an editor commits; an empty cell is reported.
    void CommitCellText(int row, int column, const QString& text);
    // An editor took the focus back after refusing to end.
    void EditorResumed(InPlaceCellEdit* editor) { KeepFocusWith(editor); }
    void EditorClosed(InPlaceCellEdit* editor);
    // Makes `editor` the open one (none when null); a press on the list
    // leaves the focus with it.
    void KeepFocusWith(InPlaceCellEdit* editor);
    void TakeFocusToEndEdit();

    QPointer<InPlaceCellEdit> m_currentEditor;
};
