#include "model/elements/CFuncKeyElement.h"

#include "model/elements/PanelKeys.h"
#include "model/elements/draw/DrawingKey.h"
#include "model/elements/draw/PanelBitmaps.h"

#include <QRect>

void CFuncKeyElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    PixelRect face = BoxOnDisplay(display.width(), display.height());
    if (HasHandIcon()) {
        // The hand takes the left half of the element, the face the right half.
        const CanvasScale scale(display.width(), display.height());
        const DotBox box = GetBox();
        PixelRect hand = face;
        hand.right = static_cast<int>(scale.sx * box.w * 0.5 + hand.left);
        DrawPanelBitmap(painter, hand, kHandIconBitmap, simulating);
        face.left = static_cast<int>(scale.sx * (box.x + box.w / 2));
        face.right = static_cast<int>(scale.sx * box.w * 0.5 + face.left);
    }
    if (simulating && IsInvisible())
        return;
    const PanelKeyInfo* key = PanelKey(GetKey());
    if (!key)
        return;
    const int bitmap = IsInvisible() ? key->faceInvisible : IsInverse() ? key->faceInverse : key->faceNormal;
    DrawPanelBitmap(painter, face, bitmap, simulating);
}

std::string CFuncKeyElement::EditorDrawingKey() const
{
    std::string key = CScreenElement::EditorDrawingKey();
    AppendKey(key, m_flags);
    AppendKey(key, m_key);
    return key;
}
