#pragma once

#include <QPixmap>
#include <QString>

#include <cstdint>

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
// Far above any set of texts and toolbar pictures; a larger file is refused
// unread rather than held in memory for the whole run.
inline constexpr std::uint64_t MaxFileBytes = 64u << 20;

// Registers the file from `programFolder` when it exists; true when loaded.
// A file larger than MaxFileBytes or that IsSoundResourceFile refuses is
// ignored with a warning on stderr, and the built-in texts and pictures serve.
bool Load(const QString& programFolder);
// Gives the file back (at exit).
void Unload();
bool IsLoaded();

// A menu item's or menu title's replacement text, or `builtIn`.
QString MenuText(const QString& key, const QString& builtIn);
QPixmap ToolbarPixmap(int commandId);

} // namespace ResourceFile
