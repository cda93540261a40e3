#pragma once

#include "pages/ui/CPropertyDlg.h"

class CTextPropertyDlg : public CPropertyDlg {
public:
    using CPropertyDlg::CPropertyDlg;
};
