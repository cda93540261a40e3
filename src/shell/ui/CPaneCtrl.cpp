#include "shell/ui/CPaneCtrl.h"

#include "StringIds.h"
#include "shell/ui/CanvasPageHost.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "shell/ElementPlacement.h"
#include "shell/ElementSelection.h"
#include "shell/LayerOrder.h"
#include "shell/PictureFile.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "simulator/SimulatedDisplayLayout.h"
#include "simulator/SimulatedDisplayState.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <utility>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kDarkGrey(50, 50, 50);
const QColor kDisplayColour(170, 212, 71);
constexpr int kRepaintMilliseconds = 100;
constexpr PixelRect kNoRubberBand{-1, -1, -1, -1};

// The element context menu: command ids and texts.
constexpr std::array<std::pair<int, const char*>, 8> kContextMenu = {{
    {Cmd::DeleteElements, "删除元件"},
    {Cmd::CopyElements, "复制元件"},
    {Cmd::PasteElements, "粘贴元件"},
    {Cmd::CutElements, "剪切元件"},
    {Cmd::SendToBottom, "送往最下层"},
    {Cmd::BringToTop, "移到最上层"},
    {Cmd::MoveDownOne, "向下一层"},
    {Cmd::MoveUpOne, "向上一层"},
}};

QRect ToQRect(const PixelRect& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// The heavy "Courier New" of the simulated display's texts, `height` pixels
// tall and stretched to an average character width of `averageWidth`.
QFont DisplayTextFont(int height, int averageWidth)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(std::max(height, 1));
    font.setWeight(QFont::Black);
    const int natural = QFontMetrics(font).averageCharWidth();
    if (averageWidth > 0 && natural > 0)
        font.setStretch(std::clamp(100 * averageWidth / natural, 1, 4000));
    return font;
}

// One line of black text in `band`, vertically centred, from its left edge.
void DrawBandText(QPainter& painter, const QRect& band, const QString& text, int averageWidth)
{
    painter.setFont(DisplayTextFont(band.height(), averageWidth));
    painter.setPen(Qt::black);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

// The dotted frame of a selected element and of the tool preview: white
// dashes on dark grey gaps.
void DrawSelectionFrame(QPainter& painter, const PixelRect& r)
{
    painter.save();
    painter.setPen(QPen(kWhite, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.setBackground(kDarkGrey);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QPoint corners[] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top},
        {r.left, r.top}};
    painter.drawPolyline(corners, 5);
    painter.restore();
}

// The picture tool's image as 32-bit dots limited to the display: a larger
// picture is scaled down on the axis that exceeds the limit.
PictureDots PictureDotsFromImage(const QImage& image)
{
    const QImage dots = PictureOnDisplay(image).convertToFormat(QImage::Format_RGB32);
    const int width = dots.width();
    const int height = dots.height();
    PictureDots result{width, height, {}};
    result.pixels.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(dots.constScanLine(y));
        for (int x = 0; x < width; ++x)
            result.pixels.insert(result.pixels.end(), {static_cast<std::uint8_t>(qBlue(line[x])),
                static_cast<std::uint8_t>(qGreen(line[x])), static_cast<std::uint8_t>(qRed(line[x])), 0});
    }
    ReducePixelsToBlackAndWhite(result.pixels, width, height, 32);
    return result;
}

} // namespace

CPaneCtrl::CPaneCtrl(CVX50TextDoc& document, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_timer.start(kRepaintMilliseconds, this);
}

CPaneCtrl::~CPaneCtrl() = default;

bool CPaneCtrl::Simulating() const
{
    return m_simulation && m_simulation->DisplayFlags().simulating;
}

// ---------------------------------------------------------------- painting

void CPaneCtrl::paintEvent(QPaintEvent*)
{
    if (m_offscreen.size() != size())
        m_offscreen = QImage(size(), QImage::Format_RGB32);
    {
        QPainter offscreen(&m_offscreen);
        Render(offscreen);
    }
    QPainter(this).drawImage(0, 0, m_offscreen);
}

void CPaneCtrl::Render(QPainter& painter)
{
    const SimulatedDisplayFlags flags = m_simulation ? m_simulation->DisplayFlags() : SimulatedDisplayFlags{};
    if (flags.simulating)
        RenderSimulated(painter, flags);
    else
        RenderEditing(painter);
}

void CPaneCtrl::RenderEditing(QPainter& painter)
{
    UpdateEditorLayer();
    painter.drawImage(0, 0, m_editorLayer);
    DrawRubberBand(painter);
    DrawToolPreview(painter);
}

void CPaneCtrl::UpdateEditorLayer()
{
    const ElementList& elements = m_document.GetWorkingElements();
    std::vector<std::string> keys;
    keys.reserve(elements.size());
    std::string layerKey = std::to_string(GridFlag) + ';' + std::to_string(GridColumns) + ';'
        + std::to_string(GridRows) + ';';
    bool keepable = true;
    for (const ElementRef& ref : elements) {
        keys.push_back(ref.element ? ref.element->EditorDrawingKey() : std::string("-"));
        keepable = keepable && !keys.back().empty();
        layerKey += std::to_string(ref.element ? ref.element->Selected : 0) + ';' + keys.back() + '|';
    }
    if (keepable && layerKey == m_editorLayerKey && m_editorLayer.size() == size())
        return;

    if (m_editorLayer.size() != size())
        m_editorLayer = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&m_editorLayer);
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), kWhite);
    if (GridFlag == 1) {
        for (int row = 1; row < GridRows; ++row)
            for (int column = 1; column < GridColumns; ++column) {
                const DotPoint dot = GridDot(column, row, GridColumns, GridRows, w, h);
                painter.fillRect(dot.x - 1, dot.y - 1, 3, 3, kDarkGrey);
            }
    }
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (elements[i].element)
            m_elementRasters.Draw(painter, *elements[i].element, keys[i], size());
    m_elementRasters.DropUnused();
    for (const ElementRef& ref : elements)
        if (ref.element && ref.element->Selected == 1)
            DrawSelectionFrame(painter, ElementPixelRect(ref.element->GetBox(), w, h));
    m_editorLayerKey = keepable ? std::move(layerKey) : std::string();
}

void CPaneCtrl::DrawElements(QPainter& painter, bool simulating)
{
    const QRect display(0, 0, width(), height());
    for (const ElementRef& ref : m_document.GetWorkingElements())
        if (ref.element)
            ref.element->Draw(painter, display, simulating);
}

void CPaneCtrl::DrawRubberBand(QPainter& painter)
{
    if (RubberBand.right == RubberBand.left || RubberBand.bottom == RubberBand.top)
        return;
    const PixelRect r = RubberBandPixelRect(RubberBand, width(), height());
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QPoint corners[] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom},
        {r.left, r.top}};
    painter.drawPolyline(corners, 5);
    painter.restore();
}

void CPaneCtrl::DrawToolPreview(QPainter& painter)
{
    if (CurrentTool == ToolSelect || !m_cursor)
        return;
    const DotSize size = ToolDefaultSize(static_cast<ToolCode>(CurrentTool),
        {PictureBitmap.width(), PictureBitmap.height()});
    DrawSelectionFrame(painter, ToolPreviewRect(m_cursor->x(), m_cursor->y(), size.width, size.height, width(),
        height()));
}

void CPaneCtrl::RenderSimulated(QPainter& painter, const SimulatedDisplayFlags& flags)
{
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), kDisplayColour);
    painter.setBackground(kDisplayColour);
    painter.setBackgroundMode(Qt::OpaqueMode);

    if (flags.passwordEntry) {
        std::optional<DotBox> asking;
        if (flags.passwordElement)
            asking = flags.passwordElement->GetBox();
        const QRect band = ToQRect(PasswordPromptBand(asking, w, h));
        DrawBandText(painter, band, QStringLiteral("Password input: ") + QString(flags.passwordDigits, u'*'), w / 24);
    } else if (flags.alarmDisplay && !flags.linkTimedOut) {
        // The alarm list replaces the screen: one row a quarter of the height.
        const int rowHeight = h / 4;
        if (flags.alarmTexts.empty())
            DrawBandText(painter, QRect(0, 0, w, rowHeight), QStringLiteral("No Alarm!"), w / 24);
        int top = 0;
        for (const std::string& text : flags.alarmTexts) {
            DrawBandText(painter, QRect(0, top, w, rowHeight), QStringFromGbk(text), w / 24);
            top += rowHeight;
            if (top >= h)
                break;
        }
        return;
    }

    if (flags.passwordEntry) {
        if (flags.passwordElement)
            flags.passwordElement->Draw(painter, QRect(0, 0, w, h), true);
    } else {
        DrawElements(painter, true);
    }
    DrawRubberBand(painter);
    if (flags.entryRegister)
        flags.entryRegister->Draw(painter, QRect(0, 0, w, h), true);

    if (flags.linkTimedOut || flags.dataError) {
        const QRect box = ToQRect(LinkErrorBox(w, h));
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(kDisplayColour);
        painter.drawRect(box);
        painter.setBackgroundMode(Qt::TransparentMode);
        DrawBandText(painter, box, QStringFromGbk(LinkErrorText(m_document.DeviceName, flags.linkTimedOut)), w / 24);
        painter.setBackgroundMode(Qt::OpaqueMode);
    }
}

// ---------------------------------------------------------------- mouse

void CPaneCtrl::mousePressEvent(QMouseEvent* event)
{
    m_cursor = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        LeftButtonDown(event->position().toPoint(), event->modifiers());
    else if (event->button() == Qt::RightButton)
        RightButtonDown(event->globalPosition().toPoint());
}

void CPaneCtrl::LeftButtonDown(QPoint at, Qt::KeyboardModifiers modifiers)
{
    if (Simulating() || !rect().contains(at))
        return;
    m_leftDown = true;
    m_startX = m_startY = m_pressX = m_pressY = 0.0f;

    const int tool = CurrentTool;
    if (tool != ToolSelect)
        PlaceElement(at);
    else
        SelectAt(at, modifiers.testFlag(Qt::ControlModifier));
    CurrentTool = ToolSelect;
    CurrentUi().RefreshElementList(true);
    update();
}

void CPaneCtrl::PlaceElement(QPoint at)
{
    const ToolCode tool = static_cast<ToolCode>(CurrentTool);
    std::optional<PictureDots> picture;
    if (tool == ToolPicture) {
        const QImage image = PictureBitmap.isNull() ? ReadPictureFile(PicturePath) : PictureBitmap;
        if (image.isNull()) {
            CurrentUi().ShowMessage(IdsBitmapLoadFailed);
            return;
        }
        picture = PictureDotsFromImage(image);
    }
    const std::shared_ptr<CScreenElement> element = PlaceToolElement(m_document, tool, at.x(), at.y(), width(),
        height(), picture ? &*picture : nullptr);
    if (!element)
        return;
    if (m_host)
        m_host->ShowElementPage(element, true);
    m_pressedElement = element;
    m_document.PushUndoSnapshot();
}

void CPaneCtrl::SelectAt(QPoint at, bool ctrl)
{
    const ElementList& elements = m_document.GetWorkingElements();
    const std::shared_ptr<CScreenElement> hit = TopmostElementAt(elements, at.x(), at.y(), width(), height());
    if (hit) {
        if (ctrl) {
            hit->Selected = hit->Selected == 1 ? 0 : 1;
        } else {
            // Pressing one of several selected elements keeps the group, so
            // that it can be dragged together.
            if (!(CountSelected(elements) > 1 && hit->Selected == 1))
                DeselectAll(elements);
            hit->Selected = 1;
            m_pressedElement = hit;
        }
        m_elementPressed = 1;
        m_pressX = static_cast<float>(at.x());
        m_pressY = static_cast<float>(at.y());
        m_startX = static_cast<float>(hit->GetPosition().x);
        m_startY = static_cast<float>(hit->GetPosition().y);
    } else {
        const DotPoint dot = DotFromPixel(at.x(), at.y(), width(), height());
        RubberBand = {dot.x, dot.y, dot.x, dot.y};
        DeselectAll(elements);
        if (m_host)
            m_host->ShowScreenPage();
    }
    ShowPagesOfSelectedAt(at);
    if (hit && m_host)
        m_host->HideScreenPage();
}

void CPaneCtrl::ShowPagesOfSelectedAt(QPoint at)
{
    if (!m_host)
        return;
    // Every selected element under the press is visited, topmost first, so
    // the page ends bound to the one nearest the bottom of the layers.
    const ElementList& elements = m_document.GetWorkingElements();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        if (it->element && it->element->Selected == 1
            && PixelRectContains(ElementPixelRect(it->element->GetBox(), width(), height()), at.x(), at.y()))
            m_host->ShowElementPage(it->element, false);
    }
}

void CPaneCtrl::RightButtonDown(QPoint globalAt)
{
    CurrentTool = ToolSelect;
    update();
    if (!m_contextMenu) {
        m_contextMenu = new QMenu(this);
        for (const auto& [command, text] : kContextMenu) {
            m_contextMenu->addAction(QString::fromUtf8(text), this, [this, command = command] {
                if (m_host)
                    m_host->RunCommand(command);
            });
        }
    }
    // Not modal: the menu's choice comes back through the action.
    m_contextMenu->popup(globalAt);
}

void CPaneCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    // A release whose press the canvas ignored (while simulating) is ignored
    // too, so a click never selects on the simulated display.
    if (event->button() != Qt::LeftButton || !m_leftDown)
        return;
    m_leftDown = false;
    m_startX = m_startY = -1.0f;
    m_elementPressed = 0;
    m_pressedElement.reset();
    if (m_dragging == 1) {
        m_dragging = 0;
        update();
        m_document.PushUndoSnapshot();
        RubberBand = kNoRubberBand;
        return;
    }
    const QPoint at = event->position().toPoint();
    const bool plainRelease = event->buttons() == Qt::NoButton
        && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (plainRelease) {
        const ElementList& elements = m_document.GetWorkingElements();
        DeselectAll(elements);
        if (!elements.empty() && RubberBand.left == RubberBand.right && RubberBand.top == RubberBand.bottom) {
            if (const auto hit = TopmostElementAt(elements, at.x(), at.y(), width(), height()))
                hit->Selected = 1;
        }
        ApplyRubberBand(elements, RubberBand, true);
        RubberBand = kNoRubberBand;
    }
    if (m_host)
        m_host->SelectListRowsOfSelection();
    update();
}

void CPaneCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    m_cursor = at;
    if (!(event->buttons() & Qt::LeftButton)) {
        update();
        return;
    }
    if (Simulating())
        return;
    if (DragSelection(at))
        return;
    if (m_pressedElement.expired() && m_dragging == 0)
        StretchRubberBand(at);
}

bool CPaneCtrl::DragSelection(QPoint at)
{
    const ElementList& elements = m_document.GetWorkingElements();
    int dx = 0;
    int dy = 0;
    const std::shared_ptr<CScreenElement> pressed = m_pressedElement.lock();
    if (!elements.empty() && pressed && pressed->Selected == 1) {
        const DotPoint target
            = DragTarget(at.x(), at.y(), m_pressX, m_pressY, m_startX, m_startY, width(), height());
        const DotPoint now = pressed->GetPosition();
        dx = target.x - now.x;
        dy = target.y - now.y;
        if ((dx != 0 || dy != 0) && m_startX != -1.0f && m_startY != -1.0f)
            m_dragging = 1;
        ClampSelectionStep(dx, dy, elements);
    }
    if (dx == 0 && dy == 0 && m_dragging == 0 && !pressed)
        return false;
    if (m_dragging == 1 && m_elementPressed != 0) {
        m_document.ProjectModified = 1;
        RefreshMovedPages(MoveSelection(elements, dx, dy), true);
        m_pressX = std::clamp(m_pressX, 0.0f, static_cast<float>(width()));
        m_pressY = std::clamp(m_pressY, 0.0f, static_cast<float>(height()));
        update();
    }
    return true;
}

void CPaneCtrl::StretchRubberBand(QPoint at)
{
    DotPoint end = DotFromPixel(at.x(), at.y(), width(), height());
    if (RubberBand.left != -1 && RubberBand.top != -1) {
        RubberBand.right = std::clamp(end.x, 0, kDisplayWidth - 1);
        RubberBand.bottom = std::clamp(end.y, 0, kDisplayHeight - 1);
    } else if (end.x >= 0 && end.x <= kDisplayWidth + 1 && end.y >= 0 && end.y <= kDisplayHeight + 1) {
        end = {std::min(end.x, kDisplayWidth - 1), std::min(end.y, kDisplayHeight - 1)};
        RubberBand = {end.x, end.y, end.x, end.y};
    }
    update();
}

void CPaneCtrl::RefreshMovedPages(const std::vector<std::shared_ptr<CScreenElement>>& moved, bool listRowsToo)
{
    for (const auto& element : moved) {
        if (m_host)
            m_host->LoadPagePosition(element);
        if (listRowsToo && element->Kind() == KindPicture)
            CurrentUi().RefreshElementList(false);
    }
}

void CPaneCtrl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    if (m_leftDown)
        return;
    // Finishes whatever a press left open and repaints ten times a second.
    m_startX = m_startY = -1.0f;
    m_pressedElement.reset();
    ApplyRubberBand(m_document.GetWorkingElements(), RubberBand, m_dragging == 0);
    m_dragging = 0;
    update();
    m_elementPressed = 0;
    RubberBand = kNoRubberBand;
}

// ---------------------------------------------------------------- keys

void CPaneCtrl::keyPressEvent(QKeyEvent* event)
{
    // The simulated display is not edited, by keys no more than by presses.
    if (Simulating()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        NudgeSelection(event->key());
        return;
    case Qt::Key_Delete:
        DeleteSelection();
        return;
    case Qt::Key_C:
        if (ctrl)
            return CopySelection();
        break;
    case Qt::Key_V:
        if (ctrl)
            return PasteElements();
        break;
    case Qt::Key_X:
        if (ctrl)
            return CutSelection();
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void CPaneCtrl::NudgeSelection(int key)
{
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
    const ElementList& elements = m_document.GetWorkingElements();
    ClampSelectionStep(dx, dy, elements);
    const auto moved = MoveSelection(elements, dx, dy);
    RefreshMovedPages(moved, false);
    if (!moved.empty() && (dx != 0 || dy != 0))
        m_document.ProjectModified = 1;
    const int step = horizontal ? dx : dy;
    const bool snapshot = step != 0 && (horizontal ? CountSelected(elements) > 0 : !elements.empty());
    if (snapshot)
        m_document.PushUndoSnapshot();
    update();
}

// ---------------------------------------------------------------- element operations

void CPaneCtrl::DeleteSelection()
{
    ShowDeletion(m_clipboard.DeleteSelection());
}

void CPaneCtrl::CutSelection()
{
    ShowDeletion(m_clipboard.CutSelection());
}

void CPaneCtrl::ShowDeletion(int removed)
{
    if (removed > 0) {
        update();
        if (m_host)
            m_host->ShowScreenPage();
    }
    CurrentUi().RefreshElementList(true);
}

void CPaneCtrl::CopySelection()
{
    m_clipboard.CopySelection();
    update();
}

void CPaneCtrl::PasteElements()
{
    const bool anything = !m_document.Clipboard.empty();
    const auto pasted = m_clipboard.PasteElements();
    if (!anything)
        return;
    // The paste deselects every other element, so no page may stay bound to
    // one of them: one copy gets its page, several the screen page.
    if (m_host) {
        if (pasted.size() == 1)
            m_host->ShowElementPage(pasted.front(), false);
        else
            m_host->ShowScreenPage();
    }
    CurrentUi().RefreshElementList(true);
    update();
}

void CPaneCtrl::SendToBottom()
{
    ChangeLayers(::SendToBottom, true);
}

void CPaneCtrl::BringToTop()
{
    ChangeLayers(::BringToTop, false);
}

void CPaneCtrl::MoveDownOne()
{
    ChangeLayers(::MoveDownOne, true);
}

void CPaneCtrl::MoveUpOne()
{
    ChangeLayers(::MoveUpOne, true);
}

void CPaneCtrl::ChangeLayers(bool (*operation)(ElementList&), bool refreshUnchanged)
{
    ElementList& elements = m_document.GetWorkingElements();
    if (elements.empty())
        return;
    const bool changed = operation(elements);
    if (changed) {
        m_document.ProjectModified = 1;
        m_document.CommitWorkingElements();
        update();
    }
    if (changed || refreshUnchanged)
        CurrentUi().RefreshElementList(true);
}
