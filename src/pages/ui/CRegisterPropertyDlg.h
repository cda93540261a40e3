#pragma once

#include "pages/RegisterLimits.h"
#include "pages/ui/CAddressPropertyDlg.h"

#include <array>

class CRegisterElement;
class CSpinEdit;
class CStepEdit;
class QCheckBox;
class QRadioButton;

// The register's page: how its number looks (digits, decimals, HEX/BCD or
// decimal, signed, indent, double size, inverse), which device value it
// shows (type, group, element name, register count, station), whether the
// panel's user may set it (settable, password, user level), and its four
// value limits with the raw or engineering display. The register's preview,
// the text the editor draws for it, follows every change of how it looks.
class CRegisterPropertyDlg : public CAddressPropertyDlg {
    Q_OBJECT
public:
    CRegisterPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;
    int NewElementWidth() const override { return Word16ElementType; }
    // A placed register also takes its device's preset.
    void LoadNewElement() override;
    void LoadPasswordLevels() override;
    // Takes over the device's preset for the register's address (nothing for
    // a HEX/BCD register) and shows the result; the caller takes the undo
    // snapshot.
    void ApplyPresetRegister();

protected:
    BoundAddress Address() const override;
    bool NeedsNextWord() const override;
    void NameBound() override;
    int LowestStation() const override;
    int StationRefusalMessage() const override;
    unsigned TypeChosen(bool changed, int previousWidth) override;
    unsigned GroupChosen(bool changed) override;

private:
    // The digits or the decimals field changed; `apply` checks and stores
    // the number (SetRegisterDigits, SetRegisterDecimals).
    void OnDigitsChange(CSpinEdit* field, bool (*apply)(CRegisterElement&, int));
    void OnSignedCheck(bool checked);
    void OnHexBcd();
    void OnDecimal();
    void OnIndent(int indent);
    void OnRegisterCountChange();
    void OnSetOption(bool checked);
    void OnPasswordCheck(bool checked);
    void OnUserLevelSelChange(int index);
    void OnDoubleSize(bool checked);
    void OnInverse(bool checked);
    void OnDisplayModeSelChange(int index);
    void OnLimitChange(RegisterLimit limit);
    void OnLimitSpin(RegisterLimit limit, int delta);

    // The register count's rules, after the count was settled: limits,
    // digits, preview and position follow the width.
    void FollowRegisterCount(CRegisterElement& reg);
    void ShowDigits();
    void ShowFormat();
    void ShowLimits();
    void ShowEntry();
    // Count, format, digits, limits and position as the register has them.
    void ShowNumberLook();
    // The register's look changed: its preview and size follow (it moves
    // back onto the display, up as well with `pullUp`), and the page shows it.
    void RebuildPreview(CRegisterElement& reg, bool pullUp);

    CStepEdit* Limit(RegisterLimit limit) const { return m_limits[static_cast<std::size_t>(limit)]; }

    CSpinEdit* m_digits;
    CSpinEdit* m_decimals;
    QCheckBox* m_doubleSize;
    QCheckBox* m_inverse;
    CSpinEdit* m_registerCount;
    QRadioButton* m_hexBcd;
    QRadioButton* m_decimal;
    QCheckBox* m_signed;
    QRadioButton* m_rightIndent;
    QRadioButton* m_leftIndent;
    QCheckBox* m_settable;
    QCheckBox* m_password;
    QComboBox* m_userLevel;
    QComboBox* m_displayMode;
    std::array<CStepEdit*, 4> m_limits{};
    // The texts last accepted in the limit fields, put back on a refusal.
    std::array<QString, 4> m_limitTexts;
};
