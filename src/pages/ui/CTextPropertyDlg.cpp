#include "pages/ui/CTextPropertyDlg.h"

#include "base/GbkText.h"
#include "model/elements/CTextElement.h"
#include "pages/StaticTextFit.h"
#include "widgets/CGbkLimitValidator.h"
#include "widgets/TabOrder.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

void Place(CTextElement& text, const DotBox& box)
{
    text.SetPosition(box.x, box.y);
    text.SetSize(box.w, box.h);
}

} // namespace

CTextPropertyDlg::CTextPropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CPropertyDlg(document, parent)
    , m_doubleSize(new QCheckBox(QStringLiteral("倍角"), this))
    , m_inverse(new QCheckBox(QStringLiteral("反相"), this))
    , m_text(new QLineEdit(this))
    , m_limit(new CGbkLimitValidator(static_cast<int>(kStaticTextBytes), this))
{
    m_text->setValidator(m_limit);
    m_text->setMinimumWidth(220);

    QHBoxLayout* frame = CreateFrame(QStringLiteral("文本属性"));
    frame->addWidget(CreatePositionGroup(), 0, Qt::AlignTop);

    auto* look = new QGroupBox(QStringLiteral("特性"), this);
    auto* lookColumn = new QVBoxLayout(look);
    lookColumn->addWidget(m_doubleSize);
    lookColumn->addWidget(m_inverse);
    frame->addWidget(look, 0, Qt::AlignTop);

    auto* text = new QGroupBox(QStringLiteral("文本"), this);
    (new QFormLayout(text))->addRow(QStringLiteral("文字串:"), m_text);
    frame->addWidget(text, 0, Qt::AlignTop);

    connect(m_text, &QLineEdit::textEdited, this, &CTextPropertyDlg::OnTextChange);
    connect(m_doubleSize, &QCheckBox::clicked, this, &CTextPropertyDlg::OnDoubleSize);
    connect(m_inverse, &QCheckBox::clicked, this, &CTextPropertyDlg::OnInverse);
    SetTabOrderByLayout(*this);
}

void CTextPropertyDlg::ShowText(const std::string& text, bool doubleSize)
{
    m_limit->SetLimit(static_cast<int>(StaticTextLimit(doubleSize)));
    if (GbkFromQString(m_text->text()) != text)
        m_text->setText(QStringFromGbk(text));
}

void CTextPropertyDlg::LoadFromElement()
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    LoadPosition();
    m_doubleSize->setChecked(text->GetDoubleSize() != 0);
    m_inverse->setChecked(text->IsInverse() != 0);
    ShowText(text->GetText(), text->GetDoubleSize() != 0);
}

void CTextPropertyDlg::OnTextChange()
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    const bool doubleSize = text->GetDoubleSize() != 0;
    const auto layout = LayOutStaticText(GbkFromQString(m_text->text()), text->GetBox(), doubleSize);
    if (!layout) {
        ShowText(text->GetText(), doubleSize);
        return;
    }
    text->SetText(layout->text);
    Place(*text, layout->box);
    ShowPosition(text->GetPosition());
    Commit(MarkModified | Repaint | Snapshot | RefreshRow);
}

void CTextPropertyDlg::OnDoubleSize(bool checked)
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    if (checked) {
        const StaticTextLayout doubled = DoubleStaticText(text->GetText(), text->GetBox());
        text->SetText(doubled.text);
        Place(*text, doubled.box);
    } else {
        const DotSize size = text->GetSize();
        text->SetSize(size.width / 2, size.height / 2);
    }
    text->SetDoubleSize(checked ? 1 : 0);
    ShowText(text->GetText(), checked);
    ShowPosition(text->GetPosition());
    Commit(MarkModified | Repaint | Snapshot | RefreshRow);
}

void CTextPropertyDlg::OnInverse(bool checked)
{
    const auto text = Bound<CTextElement>();
    if (!text)
        return;
    text->SetInverse(checked ? 1 : 0);
    Commit(MarkModified | Repaint | Snapshot);
}
