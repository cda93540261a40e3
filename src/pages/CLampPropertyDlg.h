#pragma once

#include "pages/CPropertyDlg.h"

class CLampPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
