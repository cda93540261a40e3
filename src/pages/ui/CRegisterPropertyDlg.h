#pragma once

#include "pages/ui/CPropertyDlg.h"

class CRegisterPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
