#include "model/elements/CGraphElement.h"

#include "model/elements/draw/ElementColour.h"
#include "model/elements/draw/DrawingKey.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPenWidth = 2;
constexpr int kScaleStrip = 6; // dots of the tick strip beside the bar or curve
// The bar's fill in the editor, whatever the value.
constexpr double kPreviewFill = 0.3333333;

// A rectangle given by its edges, right and bottom excluded.
QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Outline in the current pen, filled with the current brush.
void DrawBox(QPainter& painter, int left, int top, int right, int bottom)
{
    painter.drawRect(Edges(left, top, right, bottom).adjusted(0, 0, -1, -1));
}

// Five ticks on the strip left of the plot: long at the top, the middle and
// the bottom, short at the quarters.
void DrawLeftTicks(QPainter& painter, const PixelRect& box)
{
    const int l = box.left;
    const int h = box.bottom - box.top;
    for (int y : {box.top, box.top + h / 2, box.bottom - 1})
        painter.drawLine(l, y, l + kScaleStrip, y);
    for (int y : {box.top + h / 4, box.top + 3 * h / 4})
        painter.drawLine(l + 3, y, l + kScaleStrip, y);
}

// Five ticks on the strip below the bar.
void DrawBottomTicks(QPainter& painter, const PixelRect& box)
{
    const int b = box.bottom;
    const int w = box.right - box.left;
    for (int x : {box.left, box.left + w / 2, box.right - 1})
        painter.drawLine(x, b - kScaleStrip, x, b);
    for (int x : {box.left + w / 4, box.left + 3 * w / 4})
        painter.drawLine(x, b - kScaleStrip, x, b - 3);
}

}  // namespace

void CGraphElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    const PixelRect box = BoxOnDisplay(display.width(), display.height());
    painter.save();
    // The 2-dot pen is centred on the outlines; nothing spills out of the box.
    painter.setClipRect(Edges(box.left, box.top, box.right, box.bottom));
    if (m_curve)
        DrawCurve(painter, box, simulating);
    else
        DrawBar(painter, box, m_direction, simulating);
    painter.restore();
}

int CGraphElement::DrawBar(QPainter& painter, const PixelRect& box, int direction, bool simulating) const
{
    if (direction < 1 || direction > 4)
        return 0;
    const QColor dark = ElementColour(GetDarkColour());
    const QColor background = ElementColour(simulating ? kSimulatedDisplayColour : GetLightColour());
    const GraphScale scale = Scale();
    double fill = 1.0;
    if (scale.fullScale != scale.zero)
        fill = simulating ? BarFillFraction(scale, direction, Live().CurrentValue) : kPreviewFill;

    const int l = box.left;
    const int t = box.top;
    const int r = box.right;
    const int b = box.bottom;
    const int h = b - t;
    const int w = r - l;
    const bool vertical = direction <= 2;
    const int frameLeft = vertical ? l + kScaleStrip : l;
    const int frameBottom = vertical ? b : b - kScaleStrip;

    painter.setPen(QPen(dark, kPenWidth));
    painter.setBrush(background);
    DrawBox(painter, frameLeft, t, r, frameBottom);
    painter.setBrush(dark);
    switch (direction) {
    case 1:
        DrawBox(painter, frameLeft, b - static_cast<int>(std::floor(fill * h)), r, b);
        break;
    case 2:
        DrawBox(painter, frameLeft, t, r, static_cast<int>(t + fill * h));
        break;
    case 3:
        DrawBox(painter, static_cast<int>(r - fill * w), t, r, frameBottom);
        break;
    default:
        DrawBox(painter, l, t, static_cast<int>(l + fill * w), frameBottom);
        break;
    }
    if (vertical)
        DrawLeftTicks(painter, box);
    else
        DrawBottomTicks(painter, box);
    return 1;
}

void CGraphElement::DrawCurve(QPainter& painter, const PixelRect& box, bool simulating) const
{
    const QColor dark = ElementColour(GetDarkColour());
    const QColor background = ElementColour(simulating ? kSimulatedDisplayColour : GetLightColour());
    const int l = box.left;
    const int t = box.top;
    const int r = box.right;
    const int b = box.bottom;
    const int h = b - t;
    const int plotWidth = r - l - kScaleStrip;

    painter.setPen(QPen(background, 1));
    painter.setBrush(background);
    DrawBox(painter, l, t, r, b);
    painter.setPen(QPen(dark, kPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygon({QPoint(l + kScaleStrip, t), QPoint(l + kScaleStrip, b), QPoint(r, b)}));
    DrawLeftTicks(painter, box);

    const std::vector<int> samples = simulating ? Live().PolledSamples.Values() : PreviewSamples;
    const int count = static_cast<int>(samples.size());
    if (count == 0)
        return;
    // A damaged record may hold no data points: the samples then span one interval.
    const int intervals = std::max(DataPoints, 1);
    const GraphScale scale = Scale();
    const bool flat = scale.fullScale == scale.zero;

    QPolygon line;
    for (int i = 0; i < count; ++i) {
        int x = 0;
        if (!simulating)
            x = l + kScaleStrip + plotWidth * i / intervals;
        else if (flat)
            x = r - plotWidth * i / intervals;
        else
            x = r - plotWidth * (count - 1 - i) / intervals;
        int y = 0;
        if (flat) {
            y = i == 0 ? b : t;
        } else {
            // Values outside the scale stay on the plot's edges.
            const double ratio = std::clamp(CurveSampleRatio(scale, samples[static_cast<std::size_t>(i)]), 0.0, 1.0);
            y = static_cast<int>(b - h * ratio);
        }
        line << QPoint(x, y);
    }
    painter.drawPolyline(line);
}

std::string CGraphElement::EditorDrawingKey() const
{
    std::string key = CScreenElement::EditorDrawingKey();
    const GraphScale scale = Scale();
    for (int value : {m_curve, m_direction, DataPoints, int(scale.hexBcd), int(scale.isSigned), scale.registerCount,
             scale.wordSize, scale.zero, scale.fullScale})
        AppendKey(key, value);
    AppendKey(key, static_cast<long long>(PreviewSamples.size()));
    for (int sample : PreviewSamples)
        AppendKey(key, sample);
    return key;
}
