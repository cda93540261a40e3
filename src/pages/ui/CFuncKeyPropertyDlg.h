#pragma once

#include "pages/ui/CPropertyDlg.h"

class CFuncKeyPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
