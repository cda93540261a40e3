#pragma once

#include "pages/ui/CPropertyDlg.h"

class CBarGraphPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
