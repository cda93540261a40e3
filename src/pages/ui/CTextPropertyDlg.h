#pragma once

#include "pages/ui/CPropertyDlg.h"

class CGbkLimitValidator;
class QCheckBox;
class QLineEdit;

// The static text's page: position, double size, inverse and the text. The
// text takes at most 24 bytes (12 at double size) and sets the element's
// width, 8 dots a byte (16 at double size); the element stays inside the
// display.
class CTextPropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CTextPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;

private:
    void ShowText(const std::string& text, bool doubleSize);
    void OnTextChange();
    void OnDoubleSize(bool checked);
    void OnInverse(bool checked);

    QCheckBox* m_doubleSize;
    QCheckBox* m_inverse;
    QLineEdit* m_text;
    CGbkLimitValidator* m_limit;
};
