#include "widgets/UiText.h"

#include "base/StringTable.h"

QString UiText(int id)
{
    const char* text = StringUtf8(id);
    return text ? QString::fromUtf8(text) : QString();
}

QString CommandStatusText(int commandId)
{
    return UiText(commandId).section(u'\n', 0, 0);
}

QString CommandToolTip(int commandId)
{
    const QString text = UiText(commandId);
    return text.contains(u'\n') ? text.section(u'\n', 1, 1) : text;
}
