#pragma once

class QDialog;

// Runs the editor's modal dialogs. The main window's user interface
// implements it; tests replace it to fill a dialog and press its buttons
// without showing it.
class ModalDialogRunner {
public:
    // The dialog's QDialog result.
    virtual int RunDialog(QDialog& dialog) = 0;

protected:
    ~ModalDialogRunner() = default;
};

// Runs `dialog` modally through the installed user interface when it runs
// dialogs (plain exec() otherwise).
int RunModalDialog(QDialog& dialog);
