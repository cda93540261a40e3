#include "simulator/ui/KeypadFacePainter.h"

#include "model/elements/PanelKeys.h"
#include "simulator/KeypadFace.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor kBody(0x3B, 0x41, 0x4A);
const QColor kBodyEdge(0x23, 0x27, 0x2D);
const QColor kBezel(0x14, 0x16, 0x19);
const QColor kGlass(0xC6, 0xD3, 0xB4);
const QColor kLabel(0xE8, 0xEA, 0xED);
const QColor kDigitCap(0xEC, 0xEC, 0xE8);
const QColor kCommandCap(0xA9, 0xB1, 0xBB);
const QColor kFunctionCap(0x4F, 0x8A, 0xC9);
const QColor kEscCap(0xD2, 0x5A, 0x4F);
const QColor kEntCap(0x5B, 0xA8, 0x62);
const QColor kCapText(0x1E, 0x22, 0x27);

QRectF CapRect(int keyCode)
{
    const KeyArea a = KeyPressArea(keyCode);
    return QRectF(a.left, a.top, a.right - a.left + 1, a.bottom - a.top + 1);
}

QColor CapColour(int keyCode)
{
    if (keyCode >= KeyDigit0 && keyCode < KeyDigit0 + 10)
        return kDigitCap;
    if (keyCode >= KeyF1)
        return kFunctionCap;
    if (keyCode == KeyEsc)
        return kEscCap;
    if (keyCode == KeyEnt)
        return kEntCap;
    return kCommandCap;
}

// An arrow pointing along (dx, dy) in the middle of `r`.
QPolygonF Arrow(const QRectF& r, int dx, int dy)
{
    const QPointF c = r.center();
    const double s = r.width() / 4;
    const QPointF tip = c + QPointF(dx * s, dy * s);
    const QPointF back = c - QPointF(dx * s, dy * s);
    const QPointF side(dy * s, dx * s);
    return QPolygonF({tip, back + side, back - side});
}

void PaintCapLabel(QPainter& painter, int keyCode, const QRectF& r, const QColor& colour)
{
    painter.setPen(colour);
    painter.setBrush(colour);
    switch (keyCode) {
    case KeyLeft:
        painter.drawPolygon(Arrow(r, -1, 0));
        return;
    case KeyRight:
        painter.drawPolygon(Arrow(r, 1, 0));
        return;
    case KeyUp:
        painter.drawPolygon(Arrow(r, 0, -1));
        return;
    case KeyDown:
        painter.drawPolygon(Arrow(r, 0, 1));
        return;
    default:
        break;
    }
    const bool digit = keyCode >= KeyDigit0 && keyCode < KeyDigit0 + 10;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(digit ? 17 : 12);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(r, Qt::AlignCenter, QString::fromUtf8(PanelKey(keyCode)->label));
}

// Key `keyCode`'s cap in `r`, up or held down.
void PaintCap(QPainter& painter, int keyCode, const QRectF& r, bool pressed)
{
    const QColor colour = CapColour(keyCode);
    // A shadow below an up key; a held key sinks onto it.
    const QRectF face = pressed ? r.translated(0, 2).adjusted(1, 1, -1, -1) : r.adjusted(0, 0, 0, -2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBodyEdge);
    painter.drawRoundedRect(r, 6, 6);
    painter.setBrush(pressed ? colour.darker(125) : colour);
    painter.setPen(QPen(colour.darker(150), 1));
    painter.drawRoundedRect(face, 5, 5);
    const QColor text = keyCode >= KeyF1 ? kLabel : kCapText;
    PaintCapLabel(painter, keyCode, face, text);
}

void PaintBody(QPainter& painter)
{
    const QRectF body(kFaceLeft + 0.5, kFaceTop + 0.5, kFaceWidth - 1, kFaceHeight - 1);
    painter.setPen(QPen(kBodyEdge, 1));
    painter.setBrush(kBody);
    painter.drawRoundedRect(body, 14, 14);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kLabel);
    painter.drawText(QRectF(kFaceLeft + 24, kFaceTop + 14, 200, 28), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("VX50"));

    // The display behind the canvas, and its bezel.
    const QRectF glass(kDisplayWindow.left, kDisplayWindow.top, kDisplayWindow.right - kDisplayWindow.left,
        kDisplayWindow.bottom - kDisplayWindow.top);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBezel);
    painter.drawRoundedRect(glass.adjusted(-12, -12, 12, 12), 8, 8);
    painter.setBrush(kGlass);
    painter.drawRect(glass);
}

} // namespace

void PaintKeypadFace(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    PaintBody(painter);
    for (int key = 0; key < kPanelKeyCount; ++key)
        PaintCap(painter, key, CapRect(key), false);
    painter.restore();
}

void PaintPressedKey(QPainter& painter, int keyCode, const QRect& picture)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(picture, kBody);
    PaintCap(painter, keyCode, QRectF(picture), true);
    painter.restore();
}
