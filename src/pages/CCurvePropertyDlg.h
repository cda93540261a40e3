#pragma once

#include "pages/CPropertyDlg.h"

class CCurvePropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
