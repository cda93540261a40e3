#include "simulator/ui/CKeypadDlg.h"

#include "simulator/KeypadFace.h"
#include "simulator/ui/KeypadFacePainter.h"

#include <QPainter>

CKeypadDlg::CKeypadDlg(QWidget* parent)
    : QWidget(parent)
{
}

void CKeypadDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintKeypadFace(painter);
}
