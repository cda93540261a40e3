#pragma once

#include "pages/ui/CGraphPropertyDlg.h"

// The curve graph's page: what every graph page has (CGraphPropertyDlg), the
// data points the curve shows and the seconds between two samples. A curve
// is at least data points + 2 dots wide: a narrower width cuts the data
// points, more data points widen it.
class CCurvePropertyDlg : public CGraphPropertyDlg {
    Q_OBJECT
public:
    CCurvePropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;

protected:
    void WidthChanged(CGraphElement& curve) override;

private:
    void ShowSampling();
    void OnDataPointsChange();
    void OnSampleIntervalChange();

    CSpinEdit* m_dataPoints;
    CSpinEdit* m_sampleInterval;
};
