#pragma once

#include "model/GlobalButton.h"
#include "settings/GlobalButtonRules.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class CElementNameCombo;
class CSpinEdit;
class CStepEdit;
class CVX50TextDoc;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// The global buttons of the project: up to 16 panel keys that act on the
// device on every screen. The dialog edits a working copy of the list, one
// button at a time (the one selected in the key list); every accepted change
// goes into that button at once. Add takes a free key from the key
// selection, Delete asks first. OK writes the list back to the document;
// Cancel leaves the document's buttons as they were.
class CGlobalButtonDlg : public QDialog {
    Q_OBJECT
public:
    CGlobalButtonDlg(CVX50TextDoc& doc, QWidget* parent);

    void OnOK();
    void OnAdd();
    void OnDelete();

private:
    void OnInitDialog();
    void ShowButton();
    void FillTypeCombo(int type);
    void ShowFunctionLayout(int function);
    // Each function shows other fields; the frame of the fields takes the
    // room of the largest from the start, so that the dialog keeps one size
    // whichever function is shown.
    void KeepOneSize();
    void ShowValueTexts();
    void EnableButtonControls(bool on);

    void OnSelChangeButton(int index);
    void OnFunction(int function);
    void OnCoilAction(int action);
    void OnChangeStation();
    void OnChangeJumpScreen();
    void OnSelChangeType(int index);
    void OnSelChangeGroup(int index);
    void OnChangeRegisterCount();
    void OnSelChangeFormat(int index);
    void OnChangeValue(ValueBox box);
    void OnSpin(ValueBox box, int delta);
    void OnCheckPassword();
    void OnSelChangeLevel(int index);
    void OnPort(int port);
    // Binds `name` of the current group as the button's element; refused
    // for two registers when the group lacks the next word address.
    bool BindElementName(const std::string& name);

    // The button shown; null while the list is empty.
    GlobalButton* Selected();
    CStepEdit* BoxOf(ValueBox box) const;
    QString& BoxTextOf(ValueBox box);

    CVX50TextDoc& m_doc;
    std::vector<GlobalButton> m_buttons;
    int m_selected = 0;
    // What the type, group and element lists show.
    int m_currentType = 0;
    std::string m_currentTypeText;
    std::string m_currentGroup;
    std::string m_currentElement;
    // The texts last accepted in the number boxes: a refused text gives way
    // to them.
    QString m_valueText;
    QString m_stepText;
    QString m_limitText;
    QString m_countText;

    QComboBox* m_keys;
    QPushButton* m_add;
    QPushButton* m_delete;
    QGroupBox* m_properties;
    QGroupBox* m_frame;
    CSpinEdit* m_station;
    QComboBox* m_type;
    QComboBox* m_group;
    CElementNameCombo* m_element;
    std::array<QRadioButton*, 5> m_coilActions{};
    CSpinEdit* m_jumpScreen;
    QComboBox* m_format;
    CStepEdit* m_value;
    CSpinEdit* m_registerCount;
    QGroupBox* m_stepFrame;
    CStepEdit* m_step;
    CStepEdit* m_limit;
    QGroupBox* m_portBox;
    QRadioButton* m_rs485;
    QRadioButton* m_com1;
    QCheckBox* m_protect;
    QGroupBox* m_levelFrame;
    QComboBox* m_level;
    std::array<QRadioButton*, 5> m_functions{};
    // The controls each function shows, with their labels.
    std::vector<QWidget*> m_stationRow, m_addressRows, m_coilRow, m_jumpRow, m_formatRow, m_valueRow, m_countRow;
};
