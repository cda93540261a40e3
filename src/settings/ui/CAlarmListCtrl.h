#pragma once

#include "settings/AlarmGrid.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class CAlarmCellEdit;
class CAlarmScrollBar;

// The alarm grid of the alarm-list dialog: a table of the shown segment's
// rows, element names left and alarm texts right, that paints its own rows
// under a header of two fixed columns. It holds the dialog's working copy of
// the segments (AlarmGrid) and shows it after every action: the cell editor
// over the edited row's text, and the scroll bar while the rows do not fit.
// Enter, Up, Down and the wheel act on the grid while it or its editor has
// the focus; Enter never reaches the dialog.
class CAlarmListCtrl : public QWidget {
    Q_OBJECT
public:
    CAlarmListCtrl(const AddressTable& table, std::vector<AlarmSegment> segments, int current, QWidget* parent);

    const AlarmGrid& Grid() const { return m_grid; }
    // Runs `change` on the grid and shows the result; nothing while another
    // action runs.
    void Perform(const std::function<void(AlarmGrid&)>& change);

    CAlarmCellEdit* Editor() const;
    CAlarmScrollBar* ScrollBar() const { return m_scrollBar; }

    // The dialog's Cancel button: the press of a click on it takes the
    // focus from the editor without committing what was typed.
    void SetCancelButton(QWidget* cancel) { m_cancel = cancel; }
    // The dialog ends without OK: the editor's text is dropped and its
    // focus loss no longer commits it.
    void DropEditor();

    // From the editor.
    void EditorEdited(const QString& text);
    void EditorLeft();
    void GridKey(int key);
    void Wheeled(int distance);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Show();
    void ShowScrollBar();
    void ShowEditor();
    void CloseEditor();
    void OpenEditor();
    void PaintHeader(QPainter& painter) const;

    AlarmGrid m_grid;
    QPointer<CAlarmCellEdit> m_editor;
    int m_editorSerial = 0;
    CAlarmScrollBar* m_scrollBar;
    bool m_performing = false;
    QPointer<QWidget> m_cancel;
};
