#pragma once

#include <string>

// What the model asks of the user interface. The model never includes a
// widget; it calls the installed UserInterface, which the GUI implements and
// tests replace with a recording fake. Every call has a harmless default so
// that headless code runs without a user interface.

// Buttons and icon of a message box, with the classic MB_ values.
enum MessageFlags : unsigned {
    MbOk = 0x00,
    MbOkCancel = 0x01,
    MbYesNoCancel = 0x03,
    MbYesNo = 0x04,
    MbIconStop = 0x10,
    MbIconQuestion = 0x20,
    MbIconWarning = 0x30,
    MbIconInformation = 0x40,
};

// The button the user chose.
enum MessageAnswer : int {
    IdOk = 1,
    IdCancel = 2,
    IdYes = 6,
    IdNo = 7,
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A message box showing string-table entry `stringId`; returns the answer.
    // The default answers as if the first button (OK or Yes) was chosen.
    virtual int ShowMessage(int stringId, unsigned flags = MbOk);
    // A message box with a composed text (GBK bytes), for the few messages
    // that insert values into their text.
    virtual int ShowMessageText(const std::string& gbkText, unsigned flags = MbOk);

    // The progress window of long operations: shown with a range, stepped,
    // closed. ProgressBegin gives false, after showing the failure, when no
    // window could be created.
    virtual bool ProgressBegin(int total) { return true; }
    // The window's caption and text line, by string id, after ProgressBegin.
    virtual void ProgressCaption(int captionId, int textId) {}
    virtual void ProgressStep(int position) {}
    virtual void ProgressEnd() {}

    // Refreshes after the model changed what the windows show.
    virtual void RebuildProjectTree() {}
    virtual void ShowPageAfterRestore() {}
    virtual void RedrawCanvas() {}
    // The screen-data window: rebuild its rows (true) or refresh their texts.
    virtual void RefreshElementList(bool rebuild) {}

    // Selects screen `screenIndex` in the project tree, makes its elements the
    // working list and shows element `elementIndex` in property page `page`
    // (0 function key, 1 lamp, 2 register, 3 text, 4 graph).
    virtual void GoToElement(int screenIndex, int elementIndex, int page) {}

    // Screen dialogs. The copy-screen dialog proposes a target for the edited
    // screen `sourceNumber`; true with `target` set when the user accepted.
    // The new-screen dialog adds (or, in insert mode, inserts) the screen
    // itself. By default no dialog runs.
    virtual bool RunCopyScreenDialog(int sourceNumber, int& target) { return false; }
    virtual void RunNewScreenDialog(bool insertMode) {}
    // The project tree shows screen `number` with `gbkText` (inserting its
    // item in number order when it has none) and selects it.
    virtual void ShowScreenItem(int number, const std::string& gbkText) {}
    // Hides the element pages and shows the screen page loaded from the
    // edited screen.
    virtual void ShowScreenPage() {}
    // The property page of the elements placed by `tool` refills its address
    // lists for element width `width` (0, 16 or 32).
    virtual void ResetAddressLists(int tool, int width) {}
    // Runs the project dialog that menu command `commandId` opens (device
    // tables, presets, copy registers); true when the user confirmed it.
    // Until a dialog exists nothing runs.
    virtual bool RunProjectDialog(int commandId) { return false; }

    // A project's device was loaded: the status bar shows the device and its
    // protocol library, the property pages reset their address choices for
    // the new address table.
    virtual void DeviceLoaded() {}
    // The password levels changed: the function-key and register pages
    // refill their level lists from the document's level count and reload
    // the element they show.
    virtual void PasswordLevelsChanged() {}
    // Every element was checked against a new address table: the pages
    // refill their group lists and reload the element they show.
    virtual void ElementAddressesRebound() {}
};

// The user interface the model talks to; a do-nothing one until the GUI
// installs its own.
UserInterface& CurrentUi();
// Installs `ui` (nullptr restores the do-nothing one); returns the previous.
UserInterface* InstallUi(UserInterface* ui);
