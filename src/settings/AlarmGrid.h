#pragma once

#include "model/AlarmSegment.h"
#include "devices/ElementGroup.h"

#include <string>
#include <string_view>
#include <vector>

// The alarm grid without its window: the alarm-list dialog's working copy of
// the segments, the segment shown with the group and start element its rows
// are checked against, the rows shown and the row edited, and what typing,
// Enter, leaving the editor, clicks, the arrow keys, the wheel and scrolling
// do to them. A refused change shows its message through the user interface.
// The grid window shows this state after every action.
//
// The shown segment's last row is its typing row. Text typed there becomes a
// new alarm on Enter, when the editor is left, and on a click in the grid,
// once the new alarm passes CheckNewAlarm; a refused text is cleared. Trailing
// alarms whose texts were erased are removed when the editor is left or the
// grid is clicked. CurrentRow is always a row of the shown segment; the
// editor, when open, edits it.
class AlarmGrid {
public:
    // How a newly opened editor shows its row's text.
    enum class EditorText { Selected, CaretAtEnd };

    // `segments` must not be empty; `current` is clamped to its indexes.
    AlarmGrid(const AddressTable& table, std::vector<AlarmSegment> segments, int current);

    const std::vector<AlarmSegment>& Segments() const { return m_segments; }
    int CurrentSegment() const { return m_current; }
    const AlarmSegment& Shown() const { return m_segments[static_cast<std::size_t>(m_current)]; }
    int Entries() const { return static_cast<int>(Shown().Entries.size()); }
    // The group and start element (decimal) the shown rows are checked
    // against.
    const std::string& GroupName() const { return m_groupName; }
    const std::string& StartIndex() const { return m_startIndex; }
    // The name of the start element in the grid's group; empty when the group
    // has no element there.
    std::string StartElementName() const;

    int TopRow() const { return m_topRow; }
    int CurrentRow() const { return m_currentRow; }
    bool EditorOpen() const { return m_editorOpen; }
    // Counts the editors opened: a new number means a new editor.
    int EditorSerial() const { return m_editorSerial; }
    EditorText NewEditorShows() const { return m_editorText; }
    // Counts the alarms refused: a new number means an action refused one.
    int Refusals() const { return m_refusals; }

    // The scroll bar: shown while the rows do not fit; its position is the
    // first row shown.
    bool ScrollBarShown() const;
    int ScrollMaximum() const;
    int ScrollPosition() const;
    // Pixels the scroll bar takes from the text column.
    int TextColumnInset() const;

    // Opens the editor on `row` (made the current row and scrolled into view).
    void OpenEditor(int row, EditorText text);
    // The editor's text changed to `text` (GBK): cut to an alarm text, it
    // becomes the current row's text. Returns the text kept.
    std::string Type(std::string_view text);
    // Enter: checks the typing row's new alarm (even when it is empty, and
    // whichever row is edited); then commits it and edits the new typing
    // row, or moves the editor one row down.
    void Enter();
    // The editor lost the focus: tidies the rows, else commits the typed
    // alarm; the editor closes unless its alarm was refused.
    void LeaveEditor();
    // A left click at (x, y) in the grid's client pixels: tidies, commits the
    // typed alarm, then edits the clicked text cell (column 0: makes the row
    // current and closes the editor).
    void Click(int x, int y);
    // The arrow keys and the wheel (a negative distance goes down, one row a
    // turn): the editor moves to the next or previous row, its text selected.
    void Down();
    void Up();
    void Wheel(int distance);
    // The scroll bar moved to `position`: the editor is left and closed, the
    // nearest whole row comes to the top.
    void Scroll(int position);

    // The dialog's controls. Each leaves an open editor first.
    // Shows segment `index` with its start element, and its group when the
    // table has it as a bit group (else the grid keeps its group).
    void ShowSegment(int index);
    // Moves the shown segment to group `name` from its first element, keeping
    // as many alarms as the group has elements; false (after the message) when
    // the alarms kept would not watch successive elements.
    bool ChangeGroup(const std::string& name);
    // Moves the shown segment to start element `index` of the grid's group;
    // false (after the message) when its alarms would not fit or not be
    // successive there.
    bool ChangeStartElement(int index);
    void SetStation(std::string station);
    void SetPort(int port);

private:
    AlarmSegment& Segment() { return m_segments[static_cast<std::size_t>(m_current)]; }
    const ElementGroup* Group() const;
    int Start() const;
    const std::string& TypingText() const { return Shown().Entries.back().Text; }
    // The checks of a new alarm; a refusal shows its message and clears the
    // typing row.
    bool CheckTypingRow();
    // Commits the typed alarm when there is one; false when it was refused.
    bool CommitTyped();
    int TidyRows();
    void LeaveIfTrailingEmpty();
    void MoveEditorTo(int row);
    void EndEdit();
    void ClampRows();
    void RevealCurrentRow();

    const AddressTable& m_table;
    std::vector<AlarmSegment> m_segments;
    int m_current = 0;
    std::string m_groupName;
    std::string m_startIndex = "0";
    int m_topRow = 0;
    int m_currentRow = 0;
    bool m_editorOpen = false;
    int m_editorSerial = 0;
    int m_refusals = 0;
    EditorText m_editorText = EditorText::Selected;
};
