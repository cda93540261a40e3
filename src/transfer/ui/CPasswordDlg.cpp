#include "transfer/ui/CPasswordDlg.h"

#include "StringIds.h"
#include "base/UserInterface.h"
#include "transfer/ProjectPassword.h"
#include "widgets/TabOrder.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CPasswordDlg::CPasswordDlg(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("请输入密码"));
    m_text->setObjectName(QStringLiteral("password"));
    m_text->setMaxLength(4);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("密码:"), m_text);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPasswordDlg::reject);
    m_text->setFocus();
    SetTabOrderByLayout(*this);
}

void CPasswordDlg::accept()
{
    const std::optional<int> value = ProjectPasswordValue(m_text->text().toStdString());
    if (!value) {
        m_text->clear();
        CurrentUi().ShowMessage(IdsEnterPassword);
        return;
    }
    m_password = *value;
    QDialog::accept();
}
