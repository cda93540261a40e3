#pragma once

#include "devices/PresetRegister.h"
#include "devices/PresetRegisterEdit.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class CElementNameCombo;
class CSpinEdit;
class CStepEdit;
class CVX50TextDoc;
class QComboBox;

// "预设寄存器": the display presets of the device's word addresses that a
// new register takes over. The user picks a 16- or 32-bit element and sets
// its digits, decimals, register count, value type and four ranges; the
// dialog edits a working copy of the project's preset registers, which OK
// writes to the device's PreSetReg file and, once written, puts into the
// project. A file that cannot be written is reported and the dialog stays
// open with the project as it was. A preset exists only while a part of it
// differs from the defaults. Choosing an element name and every change of a
// range box mark the project modified at once.
class CPresetRegDlg : public QDialog {
    Q_OBJECT
public:
    CPresetRegDlg(CVX50TextDoc& document, QWidget* parent);

    void OnOK();

private:
    void OnInitDialog();
    void OnElementTypeChange(int index);
    void OnGroupChange(int index);
    void OnNameChosen();
    void OnDigitsChange();
    void OnDecimalsChange();
    void OnRegisterCountChange();
    void OnValueTypeChange(int index);
    void OnRangeChange(PresetLimit which);
    void OnRangeSpin(PresetLimit which, int delta);

    // The values in the boxes stored as the preset of the element.
    void StoreEntry(const std::string& group, const std::string& element);
    // The boxes show the preset of the shown element, or the defaults.
    void LoadEntry();
    // After the shown element changed: the boxes' values go to the loaded
    // element and the shown one is loaded.
    void SwitchElement();
    // The boxes, the spins' ranges and the decimals box follow the values.
    void Refresh();
    CStepEdit* RangeBox(PresetLimit which) const { return m_ranges[static_cast<std::size_t>(which)]; }

    CVX50TextDoc& m_document;
    std::vector<PresetRegister> m_working;
    PresetRegisterValues m_values; // of the loaded element
    std::string m_shownGroup; // chosen in the combos
    std::string m_shownElement;
    std::string m_loadedGroup; // whose values the boxes hold
    std::string m_loadedElement;
    // The range boxes' texts as accepted last (typed ones kept as typed).
    std::array<std::string, 4> m_rangeTexts;

    QComboBox* m_type;
    QComboBox* m_group;
    CElementNameCombo* m_name;
    CSpinEdit* m_digits;
    CSpinEdit* m_decimals;
    CSpinEdit* m_count;
    QComboBox* m_valueType;
    std::array<CStepEdit*, 4> m_ranges{}; // by PresetLimit
};
