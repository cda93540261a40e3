#pragma once

class CMainFrame;
class CVX50TextView;

// Registers the view's element, layer, grid and project-dialog commands with
// the frame. Each runs only while the command-state table enables it.
void RegisterViewCommands(CMainFrame& frame, CVX50TextView& view);
