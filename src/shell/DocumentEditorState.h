#pragma once

#include "shell/CommandStates.h"

class CVX50TextDoc;

// The part of the command rules' snapshot that the document holds: undo and
// redo, the selection, the clipboard, the tool limits of the edited screen,
// the device and whether an ALM key is in use. Reads only.
EditorState DocumentEditorState(const CVX50TextDoc& doc);
