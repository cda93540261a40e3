#pragma once

#include "pages/ui/CAddressPropertyDlg.h"

class QCheckBox;

// The indicator lamp's page: position, the device bit it shows (type, group,
// element name, station), shape, logic and double size. A lamp is a bit
// element only and its size is fixed: 16 x 16 dots, 32 x 32 at double size.
class CLampPropertyDlg : public CAddressPropertyDlg {
    Q_OBJECT
public:
    CLampPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;

protected:
    BoundAddress Address() const override;

private:
    void OnDoubleSize(bool checked);
    void OnShapeSelChange(int index);
    void OnLogicSelChange(int index);

    QCheckBox* m_doubleSize;
    QComboBox* m_shape;
    QComboBox* m_logic;
};
