#include "settings/AlarmGrid.h"

#include "settings/AlarmAddressRules.h"
#include "settings/AlarmGridLayout.h"
#include "settings/AlarmRows.h"
#include "base/UserInterface.h"
#include "devices/AddressFileText.h"

#include <algorithm>

AlarmGrid::AlarmGrid(const AddressTable& table, std::vector<AlarmSegment> segments, int current)
    : m_table(table)
    , m_segments(std::move(segments))
    , m_current(std::clamp(current, 0, static_cast<int>(m_segments.size()) - 1))
    , m_groupName(Shown().GroupName)
    , m_startIndex(Shown().StartIndex)
{
}

std::string AlarmGrid::StartElementName() const
{
    const ElementGroup* group = Group();
    const int start = Start();
    if (!group || start < 0 || start >= static_cast<int>(group->elements.size()))
        return {};
    return group->elements[static_cast<std::size_t>(start)].name;
}

bool AlarmGrid::ScrollBarShown() const
{
    return NeedsScrollBar(Entries());
}

int AlarmGrid::ScrollMaximum() const
{
    return ::ScrollMaximum(Entries());
}

int AlarmGrid::ScrollPosition() const
{
    return AlarmGridLayout::RowHeight * m_topRow;
}

int AlarmGrid::TextColumnInset() const
{
    return ScrollBarShown() ? AlarmGridLayout::ScrollBarWidth : 0;
}

void AlarmGrid::OpenEditor(int row, EditorText text)
{
    m_currentRow = std::clamp(row, 0, Entries() - 1);
    RevealCurrentRow();
    m_editorOpen = true;
    m_editorText = text;
    ++m_editorSerial;
}

std::string AlarmGrid::Type(std::string_view text)
{
    std::string kept = CutAlarmText(text);
    Segment().Entries[static_cast<std::size_t>(m_currentRow)].Text = kept;
    return kept;
}

void AlarmGrid::Enter()
{
    const int typingRow = Entries() - 1;
    if (!CheckTypingRow())
        return;
    if (!TypingText().empty()) {
        CommitTypingRow(Segment(), *Group(), Start());
        OpenEditor(typingRow + 1, EditorText::CaretAtEnd);
    } else if (m_currentRow < typingRow) {
        OpenEditor(m_currentRow + 1, EditorText::CaretAtEnd);
    }
}

void AlarmGrid::LeaveEditor()
{
    TidyRows();
    if (CommitTyped())
        m_editorOpen = false;
}

void AlarmGrid::Click(int x, int y)
{
    int column = 0;
    const int row = HitTestCell(x, y, Entries(), column);
    if (row < 0)
        return;
    const int clicked = row + m_topRow;
    const int removed = TidyRows();
    if (clicked >= Entries()) {
        if (removed > 0)
            m_editorOpen = false;
        return;
    }
    if (!CommitTyped())
        return;
    if (column == 1) {
        OpenEditor(clicked, EditorText::Selected);
    } else {
        m_currentRow = clicked;
        m_editorOpen = false;
    }
}

void AlarmGrid::Down()
{
    LeaveIfTrailingEmpty();
    if (m_currentRow + 1 < Entries())
        MoveEditorTo(m_currentRow + 1);
}

void AlarmGrid::Up()
{
    LeaveIfTrailingEmpty();
    if (m_currentRow > 0)
        MoveEditorTo(m_currentRow - 1);
}

void AlarmGrid::Wheel(int distance)
{
    if (distance < 0)
        Down();
    else
        Up();
}

void AlarmGrid::Scroll(int position)
{
    EndEdit();
    m_topRow = std::clamp(ThumbTopRow(position), 0, MaxTopRow(Entries()));
}

void AlarmGrid::ShowSegment(int index)
{
    if (index < 0 || index >= static_cast<int>(m_segments.size()))
        return;
    EndEdit();
    m_current = index;
    const std::vector<std::string> bitGroups = BitGroupNames(m_table);
    if (std::find(bitGroups.begin(), bitGroups.end(), Shown().GroupName) != bitGroups.end())
        m_groupName = Shown().GroupName;
    m_startIndex = Shown().StartIndex;
    m_topRow = 0;
    ClampRows();
}

bool AlarmGrid::ChangeGroup(const std::string& name)
{
    const ElementGroup* group = FindAlarmGroup(m_table, name);
    if (!group || name == m_groupName)
        return true;
    EndEdit();
    if (const int refusal = CheckGroupChange(*group, Entries())) {
        CurrentUi().ShowMessage(refusal);
        return false;
    }
    m_groupName = name;
    m_startIndex = "0";
    Segment().GroupName = name;
    Segment().StartIndex = m_startIndex;
    FillElementNames(Segment(), group, 0);
    ClampRows();
    return true;
}

bool AlarmGrid::ChangeStartElement(int index)
{
    EndEdit();
    // The start element itself must exist, also for a segment without alarms.
    const int alarms = std::max(Shown().AlarmCount(), 1);
    if (const int refusal = CheckStartElement(Group(), index, alarms)) {
        CurrentUi().ShowMessage(refusal);
        return false;
    }
    m_startIndex = std::to_string(index);
    Segment().StartIndex = m_startIndex;
    FillElementNames(Segment(), Group(), index);
    ClampRows();
    return true;
}

void AlarmGrid::SetStation(std::string station)
{
    Segment().Station = std::move(station);
}

void AlarmGrid::SetPort(int port)
{
    Segment().Port = std::to_string(port);
}

const ElementGroup* AlarmGrid::Group() const
{
    return FindAlarmGroup(m_table, m_groupName);
}

int AlarmGrid::Start() const
{
    return LeadingDecimal(m_startIndex);
}

bool AlarmGrid::CheckTypingRow()
{
    const int refusal = CheckNewAlarm(Group(), Start(), Entries());
    if (refusal == 0)
        return true;
    ++m_refusals;
    CurrentUi().ShowMessage(refusal);
    Segment().Entries.back().Text.clear();
    return false;
}

bool AlarmGrid::CommitTyped()
{
    if (TypingText().empty())
        return true;
    if (!CheckTypingRow())
        return false;
    CommitTypingRow(Segment(), *Group(), Start());
    return true;
}

int AlarmGrid::TidyRows()
{
    const int removed = TidyTrailingRows(Segment());
    ClampRows();
    return removed;
}

void AlarmGrid::LeaveIfTrailingEmpty()
{
    const auto& rows = Shown().Entries;
    if (m_editorOpen && rows.size() >= 2 && rows[rows.size() - 1].Text.empty() && rows[rows.size() - 2].Text.empty())
        LeaveEditor();
}

void AlarmGrid::MoveEditorTo(int row)
{
    if (m_editorOpen) {
        LeaveEditor();
        if (m_editorOpen)
            return; // its alarm was refused: it stays
    }
    OpenEditor(row, EditorText::Selected);
}

void AlarmGrid::EndEdit()
{
    if (m_editorOpen)
        LeaveEditor();
    m_editorOpen = false;
}

void AlarmGrid::ClampRows()
{
    m_currentRow = std::clamp(m_currentRow, 0, Entries() - 1);
    m_topRow = std::clamp(m_topRow, 0, MaxTopRow(Entries()));
}

void AlarmGrid::RevealCurrentRow()
{
    if (m_currentRow < m_topRow)
        m_topRow = m_currentRow;
    else if (m_currentRow - m_topRow >= AlarmGridLayout::VisibleRows)
        m_topRow = m_currentRow - AlarmGridLayout::VisibleRows + 1;
    m_topRow = std::clamp(m_topRow, 0, MaxTopRow(Entries()));
}
