#pragma once

class CMainFrame;

// After a screen was added, inserted, deleted, renamed or renumbered: the
// tree lists the screens again and selects the edited one, the canvas
// redraws, the screen page shows the edited screen and the screen-data
// window rebuilds its rows.
void ShowEditedScreenAfterEdit(CMainFrame& frame);
