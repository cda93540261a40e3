#pragma once

#include "pages/CPropertyDlg.h"

class CPicturePropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
