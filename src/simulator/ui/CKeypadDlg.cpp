#include "simulator/ui/CKeypadDlg.h"

CKeypadDlg::CKeypadDlg(QWidget* parent)
    : QWidget(parent)
{
}
