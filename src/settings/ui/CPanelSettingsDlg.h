#pragma once

#include "model/PanelSettings.h"
#include "settings/PanelSettingsRules.h"

#include <QDialog>

#include <string>
#include <vector>

class CElementNameCombo;
class CSpinEdit;
class CVX50TextDoc;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

// The panel-series settings: main screen, screen saver, the registers through
// which the device picks the displayed screen and learns it, the project
// lock and the link times. The dialog edits a copy of the document's panel
// settings. OK checks the link times and the screen numbers (the dialog
// stays open on the first that fails) and stores eight of the values; the
// command that opened the dialog stores the other seven from Values().
// Cancel changes nothing.
class CPanelSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CPanelSettingsDlg(CVX50TextDoc& doc, QWidget* parent);

    const PanelSettings& Values() const { return m_values; }
    void OnOK();

private:
    void OnInitDialog();
    void OnSaverIndexChange(int index);
    void OnShowSaverScreen();
    void OnAutoSwitch();
    void OnReportScreen();
    void OnGroupChange(int index);
    // A name of the group becomes the control register; false for another.
    bool OnElementChosen(const std::string& name);
    // A typed or stepped number: `read` gives the accepted value or none,
    // which brings the previous value back.
    void OnNumberEdited(CSpinEdit* edit, int& field, bool station, bool timeField);

    std::vector<std::string> ElementNames() const;
    // The number field of a field the checks on OK judge.
    CSpinEdit* FieldEdit(PanelSettingsField field) const;
    void ShowElementAlone();
    // The statics that name the control and report registers, and what
    // depends on whether the device picks the screen.
    void ShowRegisterTexts();
    void EnableInteractionControls();
    void EnableSaverControls();

    CVX50TextDoc& m_doc;
    PanelSettings m_values;
    CSpinEdit* m_mainScreen;
    QComboBox* m_saverIndex;
    QCheckBox* m_showSaverScreen;
    CSpinEdit* m_saverScreen;
    QCheckBox* m_backlightOff;
    QCheckBox* m_autoSwitch;
    QLabel* m_autoDirection;
    QLabel* m_controlRegister;
    QCheckBox* m_clearAfterSwitch;
    QCheckBox* m_reportScreen;
    QLabel* m_reportDirection;
    QLabel* m_reportRegister;
    QComboBox* m_group;
    CElementNameCombo* m_element;
    QGroupBox* m_portBox;
    QRadioButton* m_rs485;
    QRadioButton* m_com1;
    CSpinEdit* m_station;
    QCheckBox* m_encrypt;
    CSpinEdit* m_commTime;
    CSpinEdit* m_timeout;
};
