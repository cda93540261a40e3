#include "settings/ui/CPasswordLevelDlg.h"

#include "StringIds.h"
#include "model/CVX50TextDoc.h"
#include "settings/ui/CDigitEdit.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

CPasswordLevelDlg::CPasswordLevelDlg(CVX50TextDoc& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
{
    const QString title = QStringLiteral("密码(等级)设定");
    setWindowTitle(title);
    auto* frame = new QGroupBox(title, this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("密码设定"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("等级设定"), frame), 0, 2);
    for (int row = 0; row < kPasswordRowCount; ++row) {
        RowControls& c = m_controls[static_cast<std::size_t>(row)];
        const QString number = QString::number(row + 1);
        c.check = new QCheckBox(number + u':', frame);
        c.password = new CDigitEdit(frame);
        c.level = new QComboBox(frame);
        c.check->setObjectName(QStringLiteral("row%1Check").arg(number));
        c.password->setObjectName(QStringLiteral("row%1Password").arg(number));
        c.level->setObjectName(QStringLiteral("row%1Level").arg(number));
        c.level->addItems({UiText(IdsPasswordLow), UiText(IdsPasswordMiddle), UiText(IdsPasswordHigh)});
        grid->addWidget(c.check, row + 1, 0);
        grid->addWidget(c.password, row + 1, 1);
        grid->addWidget(c.level, row + 1, 2);
        connect(c.check, &QCheckBox::clicked, this, [this, row] { OnCheckRow(row); });
        connect(c.password, &QLineEdit::textEdited, this, [this, row] { OnChangePassword(row); });
        connect(c.level, &QComboBox::activated, this,
                [this, row](int index) { m_rows[static_cast<std::size_t>(row)].levelIndex = index; });
    }

    QDialogButtonBox* buttons = OkCancelButtons(this, [this] { OnOK(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    OnInitDialog();
    SetTabOrderByLayout(*this);
}

void CPasswordLevelDlg::OnInitDialog()
{
    m_rows = RowsFromPasswordTable(m_doc.PasswordTable);
    for (int row = 0; row < kPasswordRowCount; ++row)
        ShowRow(row);
    CDigitEdit* first = m_controls[0].password;
    first->setFocus();
    first->selectAll();
}

void CPasswordLevelDlg::ShowRow(int row)
{
    const PasswordRow& r = m_rows[static_cast<std::size_t>(row)];
    const RowControls& c = m_controls[static_cast<std::size_t>(row)];
    c.check->setChecked(r.enabled);
    c.password->setEnabled(r.enabled);
    c.level->setEnabled(r.enabled);
    c.password->setText(QString::fromStdString(r.password));
    c.level->setCurrentIndex(r.levelIndex);
}

void CPasswordLevelDlg::OnCheckRow(int row)
{
    PasswordRow& r = m_rows[static_cast<std::size_t>(row)];
    r.enabled = m_controls[static_cast<std::size_t>(row)].check->isChecked();
    if (!r.enabled)
        r = PasswordRow{};
    ShowRow(row);
}

void CPasswordLevelDlg::OnChangePassword(int row)
{
    PasswordRow& r = m_rows[static_cast<std::size_t>(row)];
    CDigitEdit* edit = m_controls[static_cast<std::size_t>(row)].password;
    const DigitEditResult result = OverwriteDigits(r.password, edit->text().toStdString(), edit->cursorPosition());
    r.password = result.text;
    if (edit->text() != QString::fromStdString(result.text))
        edit->setText(QString::fromStdString(result.text));
    if (result.selected >= 0)
        edit->setSelection(result.selected, 1);
}

void CPasswordLevelDlg::OnOK()
{
    StorePasswordRows(m_doc, m_rows);
    accept();
}
