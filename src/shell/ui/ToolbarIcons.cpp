#include "shell/ui/ToolbarIcons.h"

#include "shell/ui/ResourceFile.h"
#include "shell/CommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Pictures are drawn on a 20 x 20 grid at twice the resolution.
constexpr int Grid = 20;
constexpr qreal Scale = 2.0;

const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Accent(30, 100, 200);
const QColor Warm(200, 60, 40);
const QColor Panel(170, 212, 71);

void Page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(5, 2);
    path.lineTo(12, 2);
    path.lineTo(16, 6);
    path.lineTo(16, 18);
    path.lineTo(5, 18);
    path.closeSubpath();
    p.setBrush(Paper);
    p.drawPath(path);
    p.drawLine(QPointF(12, 2), QPointF(12, 6));
    p.drawLine(QPointF(12, 6), QPointF(16, 6));
}

void Folder(QPainter& p)
{
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(2, 6, 16, 11));
    p.drawRect(QRectF(2, 4, 6, 2));
}

void Disk(QPainter& p)
{
    p.setBrush(Accent);
    p.drawRect(QRectF(3, 3, 14, 14));
    p.setBrush(Paper);
    p.drawRect(QRectF(6, 3, 8, 5));
    p.drawRect(QRectF(5, 11, 10, 6));
}

void Arrow(QPainter& p, bool left)
{
    QPainterPath path;
    const qreal from = left ? 15 : 5;
    const qreal to = left ? 5 : 15;
    path.moveTo(from, 14);
    path.cubicTo(from, 6, to, 6, to, 9);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Accent, 2));
    p.drawPath(path);
    p.setBrush(Accent);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(to - 3, 9), QPointF(to + 3, 9), QPointF(to, 13)}));
}

// The panel: a small display with a green screen.
void Screen(QPainter& p)
{
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(1, 4, 14, 10));
    p.setBrush(Panel);
    p.drawRect(QRectF(3, 6, 10, 6));
}

void Transfer(QPainter& p, bool toPanel)
{
    Screen(p);
    p.setPen(Qt::NoPen);
    p.setBrush(toPanel ? Warm : Accent);
    if (toPanel)
        p.drawPolygon(QPolygonF({QPointF(14, 14), QPointF(19, 14), QPointF(16.5, 18)}));
    else
        p.drawPolygon(QPolygonF({QPointF(14, 18), QPointF(19, 18), QPointF(16.5, 14)}));
}

void Compile(QPainter& p)
{
    Page(p);
    p.setPen(QPen(Ink, 1));
    for (int y = 8; y <= 14; y += 3)
        p.drawLine(QPointF(7, y), QPointF(14, y));
    p.setPen(Qt::NoPen);
    p.setBrush(Warm);
    p.drawEllipse(QPointF(15, 15), 3, 3);
}

void Letters(QPainter& p, const QString& text, const QColor& color, int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(0, 0, Grid, Grid), Qt::AlignCenter, text);
}

void Lamp(QPainter& p)
{
    p.setBrush(QColor(250, 220, 60));
    p.drawEllipse(QPointF(10, 10), 7, 7);
}

void Key(QPainter& p)
{
    p.setBrush(QColor(225, 225, 225));
    p.drawRoundedRect(QRectF(2, 3, 16, 14), 3, 3);
    Letters(p, QStringLiteral("F"), Ink, 10);
}

void Bars(QPainter& p)
{
    p.setBrush(Accent);
    p.drawRect(QRectF(3, 10, 3, 7));
    p.drawRect(QRectF(8, 5, 3, 12));
    p.drawRect(QRectF(13, 8, 3, 9));
    p.drawLine(QPointF(2, 17), QPointF(18, 17));
}

void Curve(QPainter& p)
{
    p.drawLine(QPointF(2, 17), QPointF(18, 17));
    p.drawLine(QPointF(2, 3), QPointF(2, 17));
    p.setPen(QPen(Warm, 1.5));
    p.drawPolyline(QPolygonF({QPointF(3, 14), QPointF(7, 7), QPointF(11, 12), QPointF(17, 4)}));
}

void Picture(QPainter& p)
{
    p.setBrush(Paper);
    p.drawRect(QRectF(2, 3, 16, 14));
    p.setBrush(QColor(80, 160, 80));
    p.drawPolygon(QPolygonF({QPointF(3, 16), QPointF(8, 8), QPointF(12, 13), QPointF(14, 10), QPointF(17, 16)}));
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QPointF(14, 6), 1.5, 1.5);
}

// A screen with a small badge in its lower right corner.
void ScreenWith(QPainter& p, const QString& badge, const QColor& color)
{
    Screen(p);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(10, 9, 10, 11), Qt::AlignCenter, badge);
}

void CopyScreen(QPainter& p)
{
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(5, 2, 13, 9));
    p.translate(0, 3);
    Screen(p);
}

void Alarm(QPainter& p)
{
    p.setBrush(QColor(250, 200, 60));
    p.drawPolygon(QPolygonF({QPointF(10, 2), QPointF(18, 17), QPointF(2, 17)}));
    Letters(p, QStringLiteral("!"), Ink, 11);
}

void Keys(QPainter& p)
{
    p.setBrush(QColor(225, 225, 225));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(2 + col * 6, 4 + row * 7, 4, 5));
    }
}

void CopyRegisters(QPainter& p)
{
    Letters(p, QStringLiteral("R"), Accent, 9);
    p.translate(-4, -4);
    Letters(p, QStringLiteral("R"), Ink, 9);
}

// Draws the picture of command `id`; false for a command that has none.
bool Draw(QPainter& p, int id)
{
    p.setPen(QPen(Ink, 1));
    switch (id) {
    case Cmd::FileNew: Page(p); break;
    case Cmd::FileOpen: Folder(p); break;
    case Cmd::FileSave: Disk(p); break;
    case Cmd::Undo: Arrow(p, true); break;
    case Cmd::Redo: Arrow(p, false); break;
    case Cmd::WritePanel: Transfer(p, true); break;
    case Cmd::ReadPanel: Transfer(p, false); break;
    case Cmd::Compile: Compile(p); break;
    case Cmd::ToolLamp: Lamp(p); break;
    case Cmd::ToolFuncKey: Key(p); break;
    case Cmd::ToolStaticText: Letters(p, QStringLiteral("A"), Ink, 14); break;
    case Cmd::ToolDynText: Letters(p, QStringLiteral("A~"), Accent, 11); break;
    case Cmd::ToolRegister: Letters(p, QStringLiteral("123"), Ink, 8); break;
    case Cmd::ToolBarGraph: Bars(p); break;
    case Cmd::ToolCurve: Curve(p); break;
    case Cmd::ToolPicture: Picture(p); break;
    case Cmd::NewScreen: ScreenWith(p, QStringLiteral("+"), Accent); break;
    case Cmd::ScreenProperties: ScreenWith(p, QStringLiteral("i"), Accent); break;
    case Cmd::CopyScreen: CopyScreen(p); break;
    case Cmd::DeleteScreen: ScreenWith(p, QStringLiteral("x"), Warm); break;
    case Cmd::AlarmList: Alarm(p); break;
    case Cmd::PanelSettings: ScreenWith(p, QStringLiteral("S"), Ink); break;
    case Cmd::GlobalButtons: Keys(p); break;
    case Cmd::CopyRegisters: CopyRegisters(p); break;
    case Cmd::PresetTexts: Letters(p, QStringLiteral("T*"), Ink, 10); break;
    case Cmd::PresetRegisters: Letters(p, QStringLiteral("R*"), Ink, 10); break;
    default: return false;
    }
    return true;
}

} // namespace

QIcon ToolbarIcon(int commandId)
{
    const QPixmap replacement = ResourceFile::ToolbarPixmap(commandId);
    if (!replacement.isNull())
        return QIcon(replacement);
    QPixmap pixmap(int(Grid * Scale), int(Grid * Scale));
    pixmap.setDevicePixelRatio(Scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // No icon at all for a command without a picture, so that a menu shows
    // its check mark instead of an empty picture.
    const bool drawn = Draw(painter, commandId);
    painter.end();
    return drawn ? QIcon(pixmap) : QIcon();
}
