#pragma once

#include "pages/ui/CPropertyDlg.h"

class CDynTextPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
