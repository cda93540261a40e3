#pragma once

#include "widgets/InPlaceEditList.h"

#include <vector>

class CAddressCellEdit;

// The list in which a device's address table is edited: column 0 the row
// number, column 1 the element name, column 2 the hexadecimal address. The
// cell editor checks addresses as they are typed, keeps ten empty rows below
// the last named row, reports every typed character (cellTextTyped) and
// refuses to end while its name or address is held by another row. The list
// also keeps and paints a selection of rows, which a drag in the number
// column extends.
class CAddressListCtrl : public InPlaceEditList {
    Q_OBJECT
public:
    explicit CAddressListCtrl(QWidget* parent = nullptr);

    // Opens an editor over the cell and makes it the open editor; nullptr for
    // column 0, the address of a row without a name, a cell that does not
    // exist or a column narrower than 5 pixels.
    CAddressCellEdit* EditCell(int row, int column);

    // The shown group's element width (0 bit, 16, 32) and access mode
    // (0, 1, 2): word groups and mode 1 take word addresses only.
    void SetGroupWidth(int width) { m_groupWidth = width; }
    void SetGroupMode(int mode) { m_groupMode = mode; }
    bool IsWordOnlyAddress() const { return m_groupWidth != 0 || m_groupMode == 1; }

    // Whether the device's table may be edited. While it may not, the list
    // takes no key, and a press only focuses it.
    bool CanEdit() const { return m_canEdit; }
    void SetCanEdit(bool on) { m_canEdit = on; }
    // The list sits in the tab control of the address-table editor: presses
    // are passed on only while the table may be edited, and drags select.
    bool InTab() const { return m_inTab; }
    void SetInTab(bool on) { m_inTab = on; }

    // The cell of the owner's last press; a drag selects only while its
    // column is 0 (the row numbers).
    void SetLastClick(int row, int column);
    int ClickedRow() const { return m_clickedRow; }
    int ClickedColumn() const { return m_clickedColumn; }
    // The row where a drag selection starts.
    int DragAnchorRow() const { return m_dragAnchorRow; }
    void SetDragAnchorRow(int row) { m_dragAnchorRow = row; }

    // The selected rows, in the order they were added; painted highlighted.
    const std::vector<int>& SelectedRows() const { return m_selectedRows; }
    void SetSelectedRows(std::vector<int> rows);

    // Set while a drag selection is near the bottom or the top of the shown
    // rows and rows remain beyond; the owner's timer scrolls meanwhile.
    bool ScrollDownRequested() const { return m_scrollDown; }
    bool ScrollUpRequested() const { return m_scrollUp; }

    // Set by the owner: an editor that loses the focus takes it back once.
    bool KeepEditing() const { return m_keepEditing; }
    void SetKeepEditing(bool on) { m_keepEditing = on; }

signals:
    // A character was typed into the editor: its whole text and its row.
    void cellTextTyped(const QString& text, int row);
    // A key pressed on the list while the table may be edited (Tab aside).
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    bool PassesLeftButtonOn() const override { return !m_inTab || m_canEdit; }
    void LeftButtonPressed() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_groupWidth = 0;
    int m_groupMode = 1;
    bool m_canEdit = false;
    bool m_inTab = false;
    int m_clickedRow = 0;
    int m_clickedColumn = 0;
    int m_dragAnchorRow = 0;
    std::vector<int> m_selectedRows;
    bool m_scrollDown = false;
    bool m_scrollUp = false;
    bool m_keepEditing = false;
};
