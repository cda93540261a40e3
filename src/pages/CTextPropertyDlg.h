#pragma once

#include "pages/CPropertyDlg.h"

class CTextPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
