#pragma once

class QMessageBox;

// Makes `box` wide enough for a window manager's title bar to show its whole
// title beside the bar's own buttons. Qt sizes a message box by its text and
// buttons alone, so a short question with two buttons came out narrower than
// its title, which the title bar then cut. Call it once the box's texts,
// icon and buttons are set.
void FitTitle(QMessageBox& box);
