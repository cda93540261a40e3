#pragma once

#include "model/elements/CScreenElement.h"
#include "pages/ui/CAddressPropertyDlg.h"

#include <array>
#include <string>

class CFuncKeyElement;
class CSpinEdit;
class CStepEdit;
class QCheckBox;
class QFormLayout;
class QGroupBox;
class QRadioButton;

// The function key's page: the panel key, what pressing it does (jump to a
// screen, set a coil, set a register, increment or decrement a register), the
// device address and station it acts on, the number fields of the register
// actions (data format, value, step, limit, register count), its look (hand
// icon, invisible, inverse, double size) and its password level.
class CFuncKeyPropertyDlg : public CAddressPropertyDlg {
    Q_OBJECT
public:
    CFuncKeyPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;
    void LoadPasswordLevels() override;

protected:
    BoundAddress Address() const override;
    bool NeedsNextWord() const override;
    int LowestStation() const override;
    int StationRefusalMessage() const override;
    unsigned TypeChosen(bool changed, int previousWidth) override;
    unsigned GroupChosen(bool changed) override;

private:
    // The three number fields of the register actions.
    enum NumberField { SetValueField, StepField, LimitField };

    void OnKeySelChange(int index);
    void OnAction(int index);
    void OnCoilOperation(int operation);
    void OnJumpScreenChange();
    void OnHandIcon(bool checked);
    void OnInvisible(bool checked);
    void OnDoubleSize(bool checked);
    void OnInverse(bool checked);
    void OnPasswordCheck(bool checked);
    void OnUserLevelSelChange(int index);
    void OnFormatSelChange(int index);
    void OnNumberChange(NumberField field);
    void OnNumberSpin(NumberField field, int delta);
    void OnRegisterCountChange();

    // The controls of the key's action shown, the others hidden, and the
    // parameter box titled by the action.
    void ShowActionLayout(int action);
    // The key list less the keys taken elsewhere, on the key's code (a taken
    // code gives way to the first free key).
    void FillKeyCombo();
    void ShowLook();
    void ShowNumberFields();
    void ShowPassword();
    // The key takes `box` and the position fields show it.
    void PlaceKey(CFuncKeyElement& key, const DotBox& box);
    // The key's address after its action turned to coils or registers.
    void StartAddress(CFuncKeyElement& key, int width);
    // Whether the key may span two registers: a 16-bit type whose group holds
    // the word after the key's element.
    bool MayUseTwoRegisters(const CFuncKeyElement& key) const;
    // After the key's address or width changed: a count of 2 the key may no
    // longer have falls back to 1, and value, step and limit follow the width.
    void FitNumbersToAddress(CFuncKeyElement& key);

    CStepEdit* Field(NumberField field) const { return m_numbers[field]; }
    int& Stored(CFuncKeyElement& key, NumberField field) const;

    QCheckBox* m_doubleSize;
    QCheckBox* m_inverse;
    QCheckBox* m_handIcon;
    QCheckBox* m_invisible;
    QCheckBox* m_password;
    QComboBox* m_key;
    std::array<QRadioButton*, 5> m_actions{};
    QGroupBox* m_parameters;
    QFormLayout* m_parameterForm;
    std::array<QRadioButton*, 5> m_coilOperations{};
    QWidget* m_coilBox;
    CSpinEdit* m_station;
    CSpinEdit* m_jumpScreen;
    QComboBox* m_format;
    std::array<CStepEdit*, 3> m_numbers{};
    // The texts last accepted in the number fields, put back on a refusal.
    std::array<QString, 3> m_acceptedTexts;
    CSpinEdit* m_registerCount;
    QGroupBox* m_stepLimitBox;
    QComboBox* m_userLevel;
};
