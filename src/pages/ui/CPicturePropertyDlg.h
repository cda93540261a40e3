#pragma once

#include "pages/ui/CPropertyDlg.h"

class CPicturePropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
