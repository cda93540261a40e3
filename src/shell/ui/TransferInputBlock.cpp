#include "shell/ui/TransferInputBlock.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool IsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// The widget an object belongs to: itself, or its nearest widget parent (a
// shortcut or an action).
const QWidget* WidgetOf(const QObject* object)
{
    while (object && !object->isWidgetType())
        object = object->parent();
    return static_cast<const QWidget*>(object);
}

// Whether `widget` is `container` or lies in it, popups of its own included.
bool Inside(const QWidget* widget, const QWidget* container)
{
    for (; widget; widget = widget->parentWidget())
        if (widget == container)
            return true;
    return false;
}

// Whether `widget` lies in a popup or a tool tip. Such windows are never
// blocked by a modal dialog (a completer's list, for one, has no parent and
// holds the input while it is open), so while a dialog of the command is
// active they belong to it.
bool InPopup(const QWidget* widget)
{
    if (!widget)
        return false;
    const Qt::WindowType type = widget->window()->windowType();
    return type == Qt::Popup || type == Qt::ToolTip;
}

} // namespace

TransferInputBlock::TransferInputBlock()
{
    qApp->installEventFilter(this);
}

TransferInputBlock::~TransferInputBlock()
{
    // Input held back while the command ran arrives now, and is dropped.
    QApplication::processEvents();
    qApp->removeEventFilter(this);
}

bool TransferInputBlock::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsInput(event->type()))
        return false;
    // Windows forward their input to their widgets; the widgets decide.
    if (watched->isWindowType())
        return false;
    const QWidget* modal = QApplication::activeModalWidget();
    const QWidget* widget = WidgetOf(watched);
    if (modal && (Inside(widget, modal) || InPopup(widget)))
        return false;
    event->ignore();
    return true;
}
