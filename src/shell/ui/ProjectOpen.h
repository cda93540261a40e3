#pragma once

#include <QString>

class CMainFrame;

// Opening a project into the editor of `frame`: File New without the device
// question (its save prompt included), then the project file is read into
// the fresh project. The path is used as given. A file that cannot be read,
// or that is damaged, is reported by the reader and leaves a clean new
// project without a path, never a half-read one. Returns whether the project
// was read; false also when File New stopped because the user kept the
// modified project, which then stays as it was.
bool OpenProjectInto(CMainFrame& frame, const QString& path);

// File Open: the file dialog ("*.opf"), the tidy commit of the edited
// screen, then OpenProjectInto. The path opened, or empty.
QString OpenProjectWithDialog(CMainFrame& frame);
