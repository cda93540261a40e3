#pragma once

#include "devices/ElementGroup.h"
#include "devices/NewGroupRules.h"

#include <QDialog>

#include <array>
#include <string>

class CSpinEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

// The new element group: its name, its element type and the answer to how
// the device reads and writes such elements, from which the group's access
// mode and 32-bit interval follow (NewGroupAccess). OK checks the name
// against the groups given (NewGroupRefusal).
class CNewGroupDlg : public QDialog {
    Q_OBJECT
public:
    CNewGroupDlg(AddressTable groups, QWidget* parent);

    void OnOK();

    // The results after OK.
    const std::string& Name() const { return m_name; }
    int ElementType() const { return m_type; }
    GroupAccess Access() const;

private:
    void OnElementTypeChange(int item);
    // A refused interval (not 1 or 2) brings the former one back.
    void OnIntervalChange();
    void ShowNote(int stringId);

    AddressTable m_groups;
    std::string m_name;
    int m_type = BitElementType;
    int m_intervalValue = 2;
    QComboBox* m_typeCombo;
    QLineEdit* m_nameEdit;
    QButtonGroup* m_answers;
    std::array<QRadioButton*, 4> m_answerButtons{};
    QStackedWidget* m_answerPairs;
    QCheckBox* m_writesSingle;
    CSpinEdit* m_interval;
    QLabel* m_intervalLabel;
    QLabel* m_note;
};
