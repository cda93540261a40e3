#pragma once

class QPainter;
class QRect;

// Paints the panel's face in the keypad window's client coordinates (the
// face at kFaceLeft, kFaceTop of KeypadFace.h): the body, the display's
// bezel and glass, and every key cap on its press area, labelled.
void PaintKeypadFace(QPainter& painter);

// Paints key `keyCode` held down: the pressed-key picture in `picture`.
void PaintPressedKey(QPainter& painter, int keyCode, const QRect& picture);
