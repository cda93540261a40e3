#pragma once

class CVX50TextDoc;

// What File New does to the document of an open editor: one empty screen
// numbered 1 named "画面1" (keeping the port of the screen that is left),
// empty project-wide tables, the panel settings of a new project, no path,
// not modified, and an undo history of the one new state. The device, the
// port settings, the defaults, the element clipboard and the two panel
// switches "backlight off" and "clear after switch" are kept.
void ResetProjectForNew(CVX50TextDoc& doc);

// Empties the project-wide lists that name device addresses: the alarm
// segments and blocks, the global buttons, the copy-register groups and the
// password table.
void ClearAddressBoundLists(CVX50TextDoc& doc);
