#pragma once

class QPainter;

// Paints the panel's face in the keypad window's client coordinates (the
// face at kFaceLeft, kFaceTop of KeypadFace.h): the body, the display's
// bezel and glass, and every key cap on its press area, labelled.
void PaintKeypadFace(QPainter& painter);

// Paints key `keyCode` held down over its cap.
void PaintPressedKey(QPainter& painter, int keyCode);
