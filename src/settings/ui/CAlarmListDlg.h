#pragma once

#include "settings/AlarmListEdit.h"

#include <QDialog>

#include <string>

class CAlarmListCtrl;
class CElementNameCombo;
class CSpinEdit;
class CVX50TextDoc;
class QComboBox;
class QRadioButton;

// "报警列表": the alarm list, a modeless dialog beside the editor. It edits a
// working copy of the document's segments, held by its grid: the segment
// shown, its group and start element, station and port, and in the grid its
// alarms. OK writes the copy back with the segment shown and rebuilds the
// alarm blocks; Cancel, Esc and the close box leave the document as it was,
// apart from the modified flag an accepted station sets at once. The dialog
// deletes itself when it ends.
class CAlarmListDlg : public QDialog {
    Q_OBJECT
public:
    CAlarmListDlg(CVX50TextDoc& document, QWidget* parent);

    CAlarmListCtrl* List() const { return m_list; }

    void accept() override;
    // Cancel, Esc and the close box: what the grid's editor holds is
    // dropped unchecked.
    void reject() override;

private:
    void OnSelChangeSegment(int index);
    void OnChangeStation();
    void OnPort(int port);
    void OnSelChangeStartGroup(int index);
    void OnDropDownStartElement();
    void OnSelChangeStartElement(int index);
    void OnEditChangeStartElement(const QString& text);
    void OnCloseUpStartElement();

    // Moves the segment to start element `index`, or shows the start
    // element again when that is refused.
    void ApplyStartIndex(int index);
    // The index of the element named `name` in the grid's group; the start
    // element's when none is.
    int StartIndexNamed(const std::string& name) const;
    // The start-element box reduced to the start element, when the grid's
    // group has it.
    void ShowStartElement();
    void SelectGroup(const std::string& name);
    void ShowSegmentFields();
    void BuildControls(const AlarmListStart& start);

    CVX50TextDoc& m_document;
    CAlarmListCtrl* m_list = nullptr;
    QComboBox* m_segmentBox = nullptr;
    QComboBox* m_groupBox = nullptr;
    CElementNameCombo* m_startBox = nullptr;
    CSpinEdit* m_station = nullptr;
    QRadioButton* m_rs485 = nullptr;
    QRadioButton* m_com1 = nullptr;
    // The station accepted last, shown again when an edit is refused.
    std::string m_stationText;
    // The start element typed or highlighted while its list is open.
    std::string m_pendingStartName;
    bool m_startNameTyped = false;
};
