#pragma once

#include "devices/ElementGroup.h"
#include "devices/NewElementBatch.h"

#include <QDialog>

class CSpinEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// New device elements: a group, and one element (name and address) or a
// batch (a name prefix with a running number in base 8, 10 or 16, a count,
// a start number, a start address and an address interval), placed after a
// chosen number of the group's elements. Every field is checked as it
// changes and a refused change brings the former text back; OK checks the
// whole request (NewElementRefusal). The editor then creates the elements
// from Request().
class CNewElementDlg : public QDialog {
    Q_OBJECT
public:
    // `groups` are offered in the combo; the group at `currentGroup` is
    // chosen and its element count is the proposed position.
    CNewElementDlg(AddressTable groups, int currentGroup, QWidget* parent);

    void OnOK();
    NewElementRequest Request() const;

private:
    void OnBatch(bool checked);
    void OnBase(int base);
    void OnNameChange(const QString& text);
    // A count outside 0 to 10000 draws the range prompt, one that takes the
    // running number past the limit a message; either brings the former
    // count back.
    void OnCountChange();
    void OnStartNumberChange(const QString& text);
    void OnStartAddressChange(const QString& text);
    void OnIntervalChange();
    void OnPositionChange();
    // Puts `text` back into `edit` with the caret where it was.
    static void ShowAgain(QLineEdit* edit, const QString& text, int caret);

    AddressTable m_groups;
    int m_base = DecimalBase;
    int m_count = 1;
    int m_interval = 1;
    int m_position = 0;
    QString m_name;
    QString m_startNumber;
    QString m_startAddress;
    QComboBox* m_groupCombo;
    QCheckBox* m_batch;
    QLabel* m_nameNote;
    QLineEdit* m_nameEdit;
    QLineEdit* m_addressEdit;
    CSpinEdit* m_positionEdit;
    QGroupBox* m_batchBox;
    QButtonGroup* m_bases;
    CSpinEdit* m_intervalEdit;
    QLineEdit* m_countEdit;
    QLineEdit* m_startNumberEdit;
};
