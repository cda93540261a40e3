#include "simulator/ui/CKeypadDlg.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "simulator/KeypadFace.h"
#include "simulator/SimulatedKeypad.h"
#include "simulator/ui/KeypadFacePainter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

KeypadFaceName FaceInUse()
{
    const char* name = StringUtf8(IdsKeypadFaceName);
    return FaceNameFromText(name ? name : "");
}

} // namespace

CKeypadDlg::CKeypadDlg(SimulatedKeypad& keypad, QWidget* parent)
    : QWidget(parent)
    , m_keypad(keypad)
{
    m_keypad.SetBeeper([] { QApplication::beep(); });
}

void CKeypadDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintKeypadFace(painter);
    if (m_pressedKey >= 0)
        PaintPressedKey(painter, m_pressedKey, m_pressedPicture);
}

void CKeypadDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    LastPressX = at.x();
    LastPressY = at.y();
    const int key = KeyAtPoint(at.x(), at.y());
    if (key < 0)
        return;
    if (const std::optional<PixelRect> picture = PressedKeyPicture(key, FaceInUse())) {
        m_pressedKey = key;
        m_pressedPicture = QRect(picture->left, picture->top, picture->right - picture->left,
            picture->bottom - picture->top);
        repaint(m_pressedPicture);
    }
    m_keypad.PressKey(key);
}

void CKeypadDlg::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_pressedKey >= 0) {
        m_pressedKey = -1;
        update(m_pressedPicture);
    }
    m_keypad.ReleaseKey();
}
