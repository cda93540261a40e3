#pragma once

#include "pages/CPropertyDlg.h"

class CDynTextPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
