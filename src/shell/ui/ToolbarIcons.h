#pragma once

#include <QIcon>

// The toolbar's button pictures, drawn in code: no bitmaps ship with the
// editor. A replacement picture from the optional resource file wins; a
// command with neither gets a null icon.
QIcon ToolbarIcon(int commandId);
