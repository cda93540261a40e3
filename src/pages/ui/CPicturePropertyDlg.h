#pragma once

#include "pages/ui/CPropertyDlg.h"

// The picture's page: position and the size of the box the picture is
// stretched into (its bitmap stays as it is). Its changes take no undo
// snapshot of their own; they reach the history with the next snapshot
// taken elsewhere.
class CPicturePropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CPicturePropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;

protected:
    unsigned PositionCommitSteps() const override { return MarkModified | Repaint | RefreshRow; }

private:
    void ShowSize();
    void OnSizeChange(bool widthChanged);

    CSpinEdit* m_width;
    CSpinEdit* m_height;
};
