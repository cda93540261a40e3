#include "shell/ui/CCopyScreenDlg.h"

#include "StringIds.h"
#include "model/CVX50TextDoc.h"
#include "model/ScreenCommands.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CCopyScreenDlg::CCopyScreenDlg(const CVX50TextDoc& doc, QWidget* parent)
    : QDialog(parent)
    , m_target(new QSpinBox(this))
{
    setWindowTitle(UiText(IdsMenuCopyScreen));
    m_target->setObjectName(QStringLiteral("target"));
    m_target->setRange(1, kHighestScreenNumber);
    m_target->setValue(ProposedCopyTarget(doc.Screens));

    auto* source = new QLabel(QString::number(doc.CurrentScreenNumber), this);
    source->setObjectName(QStringLiteral("source"));
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QStringLiteral("复制"), this));
    line->addWidget(source);
    line->addWidget(new QLabel(QStringLiteral("号画面到："), this));
    line->addWidget(m_target);
    line->addWidget(new QLabel(QStringLiteral("号画面"), this));

    QDialogButtonBox* buttons = OkCancelButtons(this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(line);
    layout->addWidget(buttons);
    SetTabOrderByLayout(*this);
}

int CCopyScreenDlg::Target() const
{
    return m_target->value();
}
