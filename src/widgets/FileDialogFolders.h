#pragma once

#include <QString>

class QFileDialog;

// The kinds of file the editor's file dialogs choose. Each kind remembers,
// in the program's profile, the folder a file of it was last chosen in.
enum class FileKind {
    Project,  // project files ("*.opf"), opened and saved
    Picture,  // bitmaps for the picture tool ("*.bmp")
    PageData, // raw page files for the page download ("*.bin")
};

// The folder a file dialog for `kind` starts in: the folder a file of that
// kind was last chosen in, while it exists; else the folder of
// `projectPath` (the open project's file), while it exists; else the user's
// home folder.
QString StartFolder(FileKind kind, const QString& projectPath);

// Remembers the folder of the chosen file `path` for `kind`.
void RememberFolder(FileKind kind, const QString& path);

// Runs `dialog` modally (RunModalDialog), started in StartFolder(kind,
// projectPath). On OK returns the chosen file's path and remembers its
// folder; empty when the dialog was cancelled.
QString ChooseFile(QFileDialog& dialog, FileKind kind, const QString& projectPath);
