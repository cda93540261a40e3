#pragma once

#include <vector>

// The editor's menu bar and toolbar as data: command ids in order with their
// texts (UTF-8). A menu text keeps its shortcut hint after the tab
// as display text; only the accelerator table binds keys.

struct MenuEntry {
    int id;           // 0 for a separator
    const char* text; // nullptr for a separator
};

struct MenuDefinition {
    const char* title;
    std::vector<MenuEntry> entries;
};

const std::vector<MenuDefinition>& MainMenus();

// Toolbar buttons in order; 0 stands for a separator.
const std::vector<int>& ToolbarButtons();
