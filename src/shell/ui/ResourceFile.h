#pragma once

#include <QPixmap>
#include <QString>

// The optional resource file "VX50Resource.rcc" beside the program (a Qt
// binary resource file). When it is present at start-up it replaces the
// built-in texts and pictures; absent, the built-in ones serve. It may hold,
// under the prefix "/vx50res":
//   strings.txt       lines "id<TAB>text": string-table entries
//   menus.txt         lines "id<TAB>text" for menu items, "menuN<TAB>text"
//                     for the title of the N-th menu (from 0)
//   toolbar/<id>.png  a toolbar button's picture
// In the texts "\n" and "\t" stand for a line break and a tab.
namespace ResourceFile {

inline constexpr const char* FileName = "VX50Resource.rcc";

// Registers the file from `programFolder` when it exists; true when loaded.
// A file that IsSoundResourceFile refuses is ignored with a warning on
// stderr, and the built-in texts and pictures serve.
bool Load(const QString& programFolder);
// Gives the file back (at exit).
void Unload();
bool IsLoaded();

// A menu item's or menu title's replacement text, or `builtIn`.
QString MenuText(const QString& key, const QString& builtIn);
QPixmap ToolbarPixmap(int commandId);

} // namespace ResourceFile
