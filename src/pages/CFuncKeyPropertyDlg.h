#pragma once

#include "pages/CPropertyDlg.h"

class CFuncKeyPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
