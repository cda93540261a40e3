#pragma once

#include "pages/GraphValueRules.h"
#include "pages/ui/CAddressPropertyDlg.h"

class CGraphElement;
class CSpinEdit;
class CStepEdit;
class QCheckBox;
class QGroupBox;
class QRadioButton;

// What the bar graph and the curve graph pages share: the size, the device
// word the graph shows (type, group, name, station) with its register
// count, the number format and the full-scale and zero-scale values. A graph
// is at least 16 x 16 dots. Its value is 16 bits wide on one register of a
// 16-bit word, else 32 bits; the scales follow every change of the width or
// the format (GraphValueRules), and the preview is rebuilt from them.
class CGraphPropertyDlg : public CAddressPropertyDlg {
    Q_OBJECT
public:
    CGraphPropertyDlg(CVX50TextDoc& document, QWidget* parent, GraphKind kind);

    int NewElementWidth() const override { return Word16ElementType; }

protected:
    BoundAddress Address() const override;
    bool NeedsNextWord() const override;
    unsigned TypeChosen(bool changed, int previousWidth) override;
    unsigned GroupChosen(bool changed) override;

    std::shared_ptr<CGraphElement> Graph() const;

    // The groups of the page: position and size, the device word with its
    // register count, the format, the scales.
    QGroupBox* CreatePositionAndSizeGroup();
    QGroupBox* CreateWordGroup();
    QGroupBox* CreateFormatGroup();
    QGroupBox* CreateScaleGroup();
    // Every shared field from the bound graph.
    void LoadGraph();
    void ShowSize();

    // The graph took a new width.
    virtual void WidthChanged(CGraphElement& graph) {}

private:
    void OnSizeChange(bool widthChanged);
    void OnRegisterCountChange();
    void OnHexBcdClicked();
    void OnDecimalClicked();
    void OnSignedClicked(bool checked);
    void OnScaleEdited(ScaleEnd end);
    void OnScaleStepped(ScaleEnd end, int delta);

    // Switches the graph's format, its scales following.
    void ChangeFormat(CGraphElement& graph, NumberFormat format);
    // The scales brought to the value's width; true when they changed.
    bool FitScales(CGraphElement& graph);
    void ShowRegisterCount();
    void ShowFormat();
    void ShowScales();
    CStepEdit* ScaleField(ScaleEnd end) const;
    QString& KeptScaleText(ScaleEnd end);

    GraphKind m_kind;
    CSpinEdit* m_width;
    CSpinEdit* m_height;
    CSpinEdit* m_registerCount;
    QRadioButton* m_hex;
    QRadioButton* m_decimal;
    QCheckBox* m_signed;
    CStepEdit* m_full;
    CStepEdit* m_zero;
    // The last accepted scale texts: a refused text gives way to them.
    QString m_fullText;
    QString m_zeroText;
};
