#include "app/CElementListDlg.h"

#include <QListWidget>
#include <QVBoxLayout>

CElementListDlg::CElementListDlg(QWidget* parent)
    : QWidget(parent)
    , m_list(new QListWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
}

void CElementListDlg::RefreshList(int)
{
}
