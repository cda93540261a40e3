#pragma once

// The canvas painted as it is now into an image of its size.

#include "shell/ui/CPaneCtrl.h"

#include <QImage>
#include <QPainter>

inline QImage Rendered(CPaneCtrl& canvas)
{
    QImage image(canvas.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    canvas.Render(painter);
    return image;
}
