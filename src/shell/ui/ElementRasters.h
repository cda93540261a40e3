#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <string>
#include <unordered_map>

class CScreenElement;
class QPainter;

// The editor's drawing of elements kept as small images, one for each
// drawing key (CScreenElement::EditorDrawingKey): an element whose key is
// unchanged since the last paint is copied from its image instead of being
// rasterised again. An image covers the element's box and a margin around
// it, which holds everything an element draws (outlines stay within a few
// pixels of the box).
class ElementRasters {
public:
    // Draws `element` as its Draw does in the editor on a display of
    // `display` size whose origin is the painter's. An empty key draws afresh.
    void Draw(QPainter& painter, const CScreenElement& element, const std::string& key, QSize display);
    // Forgets the images that no Draw used since the last call.
    void DropUnused();

private:
    struct Raster {
        QImage image;
        QPoint origin;
        bool used = true;
    };
    Raster Rasterise(const CScreenElement& element, QSize display) const;

    QSize m_display;
    std::unordered_map<std::string, Raster> m_rasters;
};
