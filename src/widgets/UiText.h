#pragma once

#include <QString>

// String-table entries as the widgets show them.

// The text of `id`; empty when the table has none.
QString UiText(int id);

// A command's string-table entry holds "status text\ntooltip"; each part, or
// the whole entry when it has no newline.
QString CommandStatusText(int commandId);
QString CommandToolTip(int commandId);
