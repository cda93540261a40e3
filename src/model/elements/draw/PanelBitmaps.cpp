#include "model/elements/draw/PanelBitmaps.h"

#include "model/elements/CScreenElement.h"
#include "model/elements/PanelKeys.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>

#include <cstring>
#include <map>
#include <mutex>

namespace {

constexpr int kSize = 48;

QImage BlankBitmap()
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

enum class Face { Normal, Inverse, Invisible };

// A key face: a rounded key outline touching the picture's edges, with the
// key's label. Inverse swaps black and white; invisible draws the outline
// dotted.
QImage KeyFace(const char* label, Face face)
{
    QImage image = BlankBitmap();
    QPainter p(&image);
    const QColor ink = face == Face::Inverse ? Qt::white : Qt::black;
    if (face == Face::Inverse)
        image.fill(Qt::black);
    // A frame 4 pixels wide along the picture's edges, dotted for invisible
    // keys, so that the key's box shows at every scale.
    constexpr int frame = 4;
    if (face == Face::Invisible) {
        for (int i = 0; i < kSize; i += 2 * frame) {
            p.fillRect(i, 0, frame, frame, Qt::black);
            p.fillRect(i, kSize - frame, frame, frame, Qt::black);
            p.fillRect(0, i, frame, frame, Qt::black);
            p.fillRect(kSize - frame, i, frame, frame, Qt::black);
        }
    } else {
        p.fillRect(0, 0, kSize, frame, Qt::black);
        p.fillRect(0, kSize - frame, kSize, frame, Qt::black);
        p.fillRect(0, 0, frame, kSize, Qt::black);
        p.fillRect(kSize - frame, 0, frame, kSize, Qt::black);
    }
    p.setPen(QPen(ink, 2));
    p.drawRoundedRect(6, 6, kSize - 12, kSize - 12, 6, 6);
    QFont font;
    font.setPixelSize(std::strlen(label) > 2 ? 12 : 18);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(6, 6, kSize - 12, kSize - 12), Qt::AlignCenter, QString::fromUtf8(label));
    return image;
}

QImage HandIcon()
{
    QImage image = BlankBitmap();
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::black);
    // An index finger pointing up over a closed hand.
    p.drawRoundedRect(20, 6, 8, 24, 4, 4);
    p.drawRoundedRect(12, 24, 26, 18, 6, 6);
    p.drawPolygon(QPolygon({QPoint(12, 30), QPoint(6, 22), QPoint(9, 20), QPoint(16, 26)}));
    return image;
}

QImage Lamp(bool round, bool lit)
{
    QImage image = BlankBitmap();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(lit ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    const QRect shape(6, 6, kSize - 12, kSize - 12);
    if (round)
        p.drawEllipse(shape);
    else
        p.drawRect(shape);
    return image;
}

QImage MakeBitmap(int id)
{
    if (id == kHandIconBitmap)
        return HandIcon();
    if (id >= kRoundLampLitBitmap && id <= kRoundLampLitBitmap + 3)
        return Lamp(id < kSquareLampLitBitmap, (id - kRoundLampLitBitmap) % 2 == 0);
    for (int key = 0; key < kPanelKeyCount; ++key) {
        const PanelKeyInfo* info = PanelKey(key);
        if (id == info->faceNormal)
            return KeyFace(info->label, Face::Normal);
        if (id == info->faceInverse)
            return KeyFace(info->label, Face::Inverse);
        if (id == info->faceInvisible)
            return KeyFace(info->label, Face::Invisible);
    }
    return BlankBitmap();
}

} // namespace

const QImage& PanelBitmap(int bitmapId)
{
    static std::mutex mutex;
    static std::map<int, QImage> cache;
    const std::lock_guard lock(mutex);
    auto it = cache.find(bitmapId);
    if (it == cache.end())
        it = cache.emplace(bitmapId, MakeBitmap(bitmapId)).first;
    return it->second;
}

void DrawBitmapInBox(QPainter& painter, const PixelRect& box, const QImage& image, bool simulating)
{
    const QRect target(box.left, box.top, box.right - box.left, box.bottom - box.top);
    if (target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (simulating) {
        painter.fillRect(target, QColor::fromRgb(kSimulatedDisplayColour));
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    }
    painter.drawImage(target, image);
    painter.restore();
}

void DrawPanelBitmap(QPainter& painter, const PixelRect& box, int bitmapId, bool simulating)
{
    DrawBitmapInBox(painter, box, PanelBitmap(bitmapId), simulating);
}
