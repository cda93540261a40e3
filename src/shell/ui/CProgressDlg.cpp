#include "shell/ui/CProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

CProgressDlg::CProgressDlg(QWidget* parent)
    : QDialog(parent)
    , m_text(new QLabel(this))
    , m_bar(new QProgressBar(this))
{
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    m_bar->setRange(0, 15);
    m_bar->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    // The window keeps the size it is shown with. A resize of a shown window
    // sends the window system the position Qt last knew along with the size,
    // and under X11 that may be a stale one: the window then jumped to the
    // screen's corner. So the size is fixed to fit a line of the editor's
    // texts, and the text line keeps its height while it is still empty.
    m_text->setText(QStringLiteral("正在读下位机数据..."));
    m_text->setFixedHeight(m_text->sizeHint().height());
    setMinimumWidth(260);
    setFixedSize(sizeHint().expandedTo(minimumSize()));
    m_text->clear();
}

void CProgressDlg::SetText(const QString& text)
{
    m_text->setText(text);
}

void CProgressDlg::SetRange(int maximum)
{
    m_bar->setRange(0, maximum);
}

void CProgressDlg::SetPos(int position)
{
    // A position past the end shows a full bar (the bar would ignore it).
    m_bar->setValue(std::min(position, m_bar->maximum()));
}

QString CProgressDlg::Text() const
{
    return m_text->text();
}

int CProgressDlg::Maximum() const
{
    return m_bar->maximum();
}

int CProgressDlg::Position() const
{
    return m_bar->value();
}
