#include "model/elements/CLampElement.h"

#include "model/elements/draw/DrawingKey.h"
#include "model/elements/draw/PanelBitmaps.h"

#include <QRect>

void CLampElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    // The unlit picture follows the lit one: positive lamps show unlit in
    // the editor, and live state 1 shows unlit while simulating.
    const int unlit = simulating ? (GetState() != 0) : (GetLogic() == 1);
    const int bitmap = (GetShape() ? kRoundLampLitBitmap : kSquareLampLitBitmap) + unlit;
    DrawPanelBitmap(painter, BoxOnDisplay(display.width(), display.height()), bitmap, simulating);
}

std::string CLampElement::EditorDrawingKey() const
{
    std::string key = CScreenElement::EditorDrawingKey();
    AppendKey(key, GetShape());
    AppendKey(key, GetLogic());
    return key;
}
