#pragma once

#include "pages/ui/CGraphPropertyDlg.h"

class QComboBox;

// The bar graph's page: what every graph page has (CGraphPropertyDlg) and
// the bar's direction. Turning a bar between vertical and horizontal
// exchanges its width and height.
class CBarGraphPropertyDlg : public CGraphPropertyDlg {
    Q_OBJECT
public:
    CBarGraphPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;

private:
    void OnDirectionSelChange(int index);

    QComboBox* m_direction;
};
