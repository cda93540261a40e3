#include "model/elements/CRegisterElement.h"

#include "model/elements/draw/ElementColour.h"
#include "model/elements/draw/DrawingKey.h"
#include "model/elements/draw/ElementTextDraw.h"

#include <QPainter>

#include <chrono>

namespace {

constexpr int kPenWidth = 3;
// The cursor shows for about half a second and hides for about 0.7 s.
constexpr std::int32_t kCursorShownMs = 500;
constexpr std::int32_t kCursorCycleMs = 1200;

std::uint32_t TickCountMs()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void CRegisterElement::Draw(QPainter& painter, const QRect& display, bool simulating) const
{
    const PixelRect box = BoxOnDisplay(display.width(), display.height());
    painter.save();
    painter.setBrush(ElementColour(GetDarkColour()));
    painter.setPen(QPen(ElementColour(GetDarkColour()), kPenWidth));
    DrawText(painter, box, simulating);
    painter.restore();
}

void CRegisterElement::DrawText(QPainter& painter, const PixelRect& box, bool simulating) const
{
    const DotSize size = GetSize();
    const int chars = size.height == 16 ? size.width / 8 : size.width / 16;
    const int charWidth = chars > 0 ? (box.right - box.left) / chars : (m_doubleSize ? 40 : 20);
    const QFont font = ElementTextFont(box.bottom - box.top, charWidth);
    const QRect rect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));

    const std::string text = simulating ? GetEntryText() : m_previewText;
    if (text.empty())
        return;
    if (!simulating)
        DrawElementTextLine(painter, rect, font, text, ElementColour(GetDarkColour()), ElementColour(GetLightColour()));
    else if (IsInverse())
        DrawElementTextLine(painter, rect, font, text, ElementColour(kSimulatedDisplayColour), QColor(Qt::black));
    else
        DrawElementTextLine(painter, rect, font, text, ElementColour(GetDarkColour()), ElementColour(kSimulatedDisplayColour));

    if (!Typing)
        return;
    painter.setPen(CursorPen());
    const int y = box.bottom - 6;
    painter.drawLine(box.right - EntryCursor * charWidth - 2, y, box.right - (EntryCursor + 1) * charWidth - 2, y);
}

QPen CRegisterElement::CursorPen() const
{
    const QPen shown(QColor(Qt::black), kPenWidth);
    const std::uint32_t now = TickCountMs();
    LiveEntry& blink = m_entry.Get();
    if (blink.blinkRestart) {
        blink.blinkStart = now;
        blink.blinkNow = now;
        blink.blinkRestart = 0;
        return shown;
    }
    blink.blinkNow = now;
    const auto elapsed = static_cast<std::int32_t>(blink.blinkNow - blink.blinkStart);
    if (elapsed <= kCursorShownMs)
        return shown;
    if (elapsed <= kCursorCycleMs)
        return QPen(ElementColour(kSimulatedDisplayColour), kPenWidth);
    blink.blinkRestart = 1;
    return QPen(ElementColour(GetDarkColour()), kPenWidth);
}

std::string CRegisterElement::EditorDrawingKey() const
{
    // The entry cursor blinks by the clock.
    if (Typing)
        return {};
    std::string key = CScreenElement::EditorDrawingKey();
    AppendKey(key, m_doubleSize);
    AppendKey(key, m_previewText);
    return key;
}
