#pragma once

#include "pages/ui/CPropertyDlg.h"

class CCurvePropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
