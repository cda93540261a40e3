#include "pages/ui/CPicturePropertyDlg.h"

#include "model/elements/CPictureElement.h"
#include "pages/DisplayFit.h"
#include "widgets/CSpinEdit.h"
#include "widgets/TabOrder.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>

CPicturePropertyDlg::CPicturePropertyDlg(CVX50TextDoc& document, QWidget* parent)
    : CPropertyDlg(document, parent)
    , m_width(new CSpinEdit(1, kDisplayWidth, this))
    , m_height(new CSpinEdit(1, kDisplayHeight, this))
{
    QHBoxLayout* frame = CreateFrame(QStringLiteral("图片属性"));
    frame->addWidget(CreatePositionGroup(), 0, Qt::AlignTop);
    auto* size = new QGroupBox(QStringLiteral("尺寸"), this);
    auto* form = new QFormLayout(size);
    form->addRow(QStringLiteral("宽:"), m_width);
    form->addRow(QStringLiteral("高:"), m_height);
    frame->addWidget(size, 0, Qt::AlignTop);

    connect(m_width, &CSpinEdit::Edited, this, [this] { OnSizeChange(true); });
    connect(m_height, &CSpinEdit::Edited, this, [this] { OnSizeChange(false); });
    SetTabOrderByLayout(*this);
}

void CPicturePropertyDlg::LoadFromElement()
{
    LoadPosition();
    ShowSize();
}

void CPicturePropertyDlg::ShowSize()
{
    if (const auto picture = Bound<CPictureElement>()) {
        m_width->SetValue(picture->GetSize().width);
        m_height->SetValue(picture->GetSize().height);
    }
}

void CPicturePropertyDlg::OnSizeChange(bool widthChanged)
{
    const auto picture = Bound<CPictureElement>();
    if (!picture)
        return;
    CSpinEdit* field = widthChanged ? m_width : m_height;
    const std::optional<int> value = field->ReadInteger();
    DotSize size = picture->GetSize();
    (widthChanged ? size.width : size.height) = value.value_or(0);
    const std::optional<DotBox> box = value ? ResizeOnDisplay(picture->GetBox(), size) : std::nullopt;
    if (!box) {
        ShowSize();
        return;
    }
    // Only the box changes: the bitmap is stretched into it.
    picture->SetBoxSize(box->w, box->h);
    picture->SetPosition(box->x, box->y);
    ShowPosition(picture->GetPosition());
    Commit(MarkModified | Repaint | RefreshRow);
}
