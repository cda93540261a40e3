#pragma once

#include "model/CopyRegGroup.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class CAddressListCtrl;
class CElementNameCombo;
class CSpinEdit;
class CVX50TextDoc;
class QComboBox;
class QPushButton;
class QRadioButton;

// "复制寄存器": the project's copy groups, each copying a block of 16-bit
// registers from a source station to up to five targets. The group number
// box chooses the group shown; the source side edits that group's source,
// the target list shows its targets, and the row editor below the source
// edits the target of the row clicked last. New asks for a target in its
// own dialog, Delete removes the selected one. The dialog edits a working
// copy of the groups, which only OK puts back, without the groups left with
// no target; choosing a start element marks the project modified at once.
class CCopyRegisterDlg : public QDialog {
    Q_OBJECT
public:
    CCopyRegisterDlg(CVX50TextDoc& document, QWidget* parent);

    CAddressListCtrl* List() const { return m_list; }

    void OnNew();
    void OnDelete();
    void OnOK();

private:
    void OnInitDialog();
    void RefreshTargetList();
    void OnGroupNumberChange();
    void OnSourceStationChange();
    void OnSourcePort(int port);
    void OnElementCountChange();
    void OnSourceGroupChange(int index);
    void OnTargetStationChange();
    void OnTargetPort(int port);
    void OnTargetGroupChange(int index);
    void OnLButtonDown(const QPoint& point);

    // The group of the number chosen; nullptr while it has none.
    CopyRegGroup* CurrentGroup();
    // The target in the selected row of the current group; nullptr when
    // no row is selected or the group has no target there.
    CopyRegEntry* SelectedTarget();
    std::optional<int> SelectedRow() const;
    // The list shows the current group's targets.
    void FillList();
    // The row editor shows the target in `row`, or is disabled without one.
    void ShowTargetRow(std::optional<int> row);
    void EnableRowEditor(bool on);
    // The source side shows a group's source (the defaults without one).
    void ShowSource(const CopyRegGroup& source);
    void ShowTarget(const CopyRegEntry& target);

    CVX50TextDoc& m_document;
    std::vector<CopyRegGroup> m_working;
    // What the source side and the row editor hold.
    CopyRegGroup m_source;
    CopyRegEntry m_target;

    QComboBox* m_groupNumber;
    CSpinEdit* m_sourceStation;
    QRadioButton* m_sourceRs485;
    QRadioButton* m_sourceCom1;
    CSpinEdit* m_count;
    QComboBox* m_sourceGroup;
    CElementNameCombo* m_sourceStart;
    CSpinEdit* m_targetStation;
    QRadioButton* m_targetRs485;
    QRadioButton* m_targetCom1;
    CSpinEdit* m_targetCount;
    QComboBox* m_targetGroup;
    CElementNameCombo* m_targetStart;
    QPushButton* m_new;
    QPushButton* m_delete;
    CAddressListCtrl* m_list;
};
