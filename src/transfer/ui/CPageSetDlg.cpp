#include "transfer/ui/CPageSetDlg.h"
#include "widgets/TabOrder.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

constexpr int kLastPage = 255;

QSpinBox* PageBox(const QString& name, int page, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, kLastPage);
    box->setValue(page);
    return box;
}

} // namespace

CPageSetDlg::CPageSetDlg(int startPage, int endPage, QWidget* parent)
    : QDialog(parent)
    , m_start(PageBox(QStringLiteral("startPage"), startPage, this))
    , m_end(PageBox(QStringLiteral("endPage"), endPage, this))
{
    setWindowTitle(QStringLiteral("PAGE SET"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("start page:"), m_start);
    layout->addRow(QStringLiteral("end page:"), m_end);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPageSetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPageSetDlg::reject);
    SetTabOrderByLayout(*this);
}

int CPageSetDlg::StartPage() const
{
    return m_start->value();
}

int CPageSetDlg::EndPage() const
{
    return m_end->value();
}
