#include "settings/ui/CKeySelectDlg.h"

#include "base/GbkText.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/PanelKeys.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CKeySelectDlg::CKeySelectDlg(const CVX50TextDoc& doc, std::vector<GlobalButton> buttons, QWidget* parent)
    : QDialog(parent)
    , m_buttons(std::move(buttons))
    , m_keys(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("全局按钮按键选择"));
    m_keys->setObjectName(QStringLiteral("keys"));
    const std::vector<int> keys = FreeGlobalKeys(m_buttons, !doc.AlarmBlocks.empty());
    for (int code : keys)
        m_keys->addItem(UiText(GlobalKeyNameId(code)));
    m_keys->setCurrentIndex(keys.empty() ? -1 : 0);
    m_chosenKey = FirstFreeGlobalKey(keys);

    auto* frame = new QGroupBox(QStringLiteral(" 按键选择"), this);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(new QLabel(QStringLiteral("按键:"), frame));
    row->addWidget(m_keys, 1);

    QDialogButtonBox* buttonBox = OkCancelButtons(this, [this] { OnOK(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttonBox);
    SetTabOrderByLayout(*this);
}

void CKeySelectDlg::OnOK()
{
    // The entry's text names the key, as every list of keys does.
    if (m_keys->count() > 0) {
        const int code = GlobalKeyCode(KeyFromName(GbkFromQString(m_keys->currentText())));
        if (code >= 0)
            m_chosenKey = code;
    }
    accept();
}
