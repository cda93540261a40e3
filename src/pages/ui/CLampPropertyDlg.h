#pragma once

#include "pages/ui/CPropertyDlg.h"

class CLampPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
