#pragma once

#include "base/ValueText.h"
#include "devices/PresetText.h"
#include "devices/PresetTextEdit.h"

#include <QDialog>

#include <string>
#include <vector>

class CEditListCtrl;
class CElementNameCombo;
class CVX50TextDoc;
class QComboBox;

// "预设动态文本": the value/text tables of the device's elements that a new
// dynamic text takes over. The user picks a bit or 16-bit element and types
// up to 32 value/text pairs; the dialog edits a working copy of the
// project's preset texts, which OK writes to the device's PreSetDText file
// and, once written, puts into the project. A file that cannot be written is
// reported and the dialog stays open with the project as it was. OK after no
// press in the grid stores nothing. Choosing an element name marks the
// project modified at once.
class CPresetTextDlg : public QDialog {
    Q_OBJECT
public:
    CPresetTextDlg(CVX50TextDoc& document, QWidget* parent);

    CEditListCtrl* Grid() const { return m_grid; }

    void OnOK();

private:
    void OnInitDialog();
    void OnLButtonDown(const QPoint& point);
    void OnCellEditEnd(const QString& text, int row, int column);
    void OnElementTypeChange(int index);
    void OnGroupSelChange(int index);
    void OnValueTypeChange(int index);
    void OnNameChosen();

    // The grid's rows stored as the preset of the element, in the working copy.
    void StoreListToEntry(const std::string& group, const std::string& element);
    // The grid shows the preset of the current element.
    void LoadEntryToList();
    // After the current element changed: the rows go to the element shown
    // so far and the grid shows the current one.
    void SwitchGrid();
    // Value type, the grid's input filter and the format its values are
    // written in.
    void ShowValueType(NumberFormat type);
    void ClearRows();
    std::vector<PresetTextRow> Rows() const;
    bool IsBitElement() const { return m_kind == 0; }

    CVX50TextDoc& m_document;
    std::vector<PresetText> m_working;
    int m_kind = 0; // 0 bit element, 16 16-bit word element
    std::string m_currentGroup;
    std::string m_currentElement;
    std::string m_shownGroup; // the element whose pairs the grid holds
    std::string m_shownElement;
    bool m_gridTouched = false;
    std::string m_lastText; // what a text cell that grows too long goes back to
    NumberFormat m_displayType = NumberFormat::Unsigned;

    QComboBox* m_type;
    QComboBox* m_group;
    CElementNameCombo* m_name;
    QComboBox* m_valueType;
    CEditListCtrl* m_grid;
};
