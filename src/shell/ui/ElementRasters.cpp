#include "shell/ui/ElementRasters.h"

#include "model/elements/CScreenElement.h"

#include <QPainter>

namespace {

// Pixels kept around an element's box: wide pens are centred on the box's
// edges.
constexpr int kMargin = 4;

} // namespace

void ElementRasters::Draw(QPainter& painter, const CScreenElement& element, const std::string& key, QSize display)
{
    if (key.empty()) {
        element.Draw(painter, QRect(QPoint(0, 0), display), false);
        return;
    }
    if (display != m_display) {
        m_rasters.clear();
        m_display = display;
    }
    auto found = m_rasters.find(key);
    if (found == m_rasters.end())
        found = m_rasters.emplace(key, Rasterise(element, display)).first;
    found->second.used = true;
    if (!found->second.image.isNull())
        painter.drawImage(found->second.origin, found->second.image);
}

void ElementRasters::DropUnused()
{
    for (auto it = m_rasters.begin(); it != m_rasters.end();) {
        if (it->second.used) {
            it->second.used = false;
            ++it;
        } else {
            it = m_rasters.erase(it);
        }
    }
}

ElementRasters::Raster ElementRasters::Rasterise(const CScreenElement& element, QSize display) const
{
    const PixelRect box = element.BoxOnDisplay(display.width(), display.height());
    const QRect area = QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1))
                           .adjusted(-kMargin, -kMargin, kMargin, kMargin)
                           .intersected(QRect(QPoint(0, 0), display));
    Raster raster;
    if (area.isEmpty())
        return raster;
    raster.origin = area.topLeft();
    raster.image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
    raster.image.fill(Qt::transparent);
    QPainter painter(&raster.image);
    painter.translate(-area.topLeft());
    element.Draw(painter, QRect(QPoint(0, 0), display), false);
    return raster;
}
