#pragma once

#include "pages/CPropertyDlg.h"

class CBarGraphPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
