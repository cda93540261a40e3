#include "transfer/ui/CUsageChart.h"

#include <QPainter>

namespace {

const std::array<QColor, 2> SeriesColors = {QColor(200, 60, 40), QColor(60, 140, 60)};

} // namespace

void CUsageChart::Draw(QPainter& painter, const QRect& rect) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const int line = painter.fontMetrics().height();
    painter.drawText(rect.adjusted(0, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop, m_title);

    // A pie of used against free memory, the legend below it.
    const int used = m_values ? m_values->Value(0) : 0;
    const int free = m_values ? m_values->Value(1) : 0;
    const int total = used + free;
    const int legendHeight = 2 * line + 4;
    const int side = std::max(0, std::min(rect.width() - 8, rect.height() - line - legendHeight - 8));
    const QRect pie(rect.center().x() - side / 2, rect.top() + line + 4, side, side);
    if (total > 0 && side > 0) {
        const int usedSpan = static_cast<int>(5760.0 * used / total);
        painter.setBrush(SeriesColors[0]);
        painter.drawPie(pie, 90 * 16, -usedSpan);
        painter.setBrush(SeriesColors[1]);
        painter.drawPie(pie, 90 * 16 - usedSpan, -(5760 - usedSpan));
    }
    const std::array<int, 2> values = {used, free};
    for (int i = 0; i < 2; ++i) {
        const int y = pie.bottom() + 4 + i * line;
        painter.fillRect(QRect(rect.left() + 6, y + 2, line - 4, line - 4), SeriesColors[i]);
        painter.drawText(QRect(rect.left() + line + 6, y, rect.width() - line - 8, line), Qt::AlignLeft,
                         m_seriesNames[i] + QString::number(values[i]));
    }
    painter.restore();
}
