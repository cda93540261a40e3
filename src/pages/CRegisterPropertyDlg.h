#pragma once

#include "pages/CPropertyDlg.h"

class CRegisterPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
