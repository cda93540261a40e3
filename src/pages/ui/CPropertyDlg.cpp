#include "pages/ui/CPropertyDlg.h"

CPropertyDlg::CPropertyDlg(QWidget* parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
}
