#pragma once

#include "StringIds.h"
#include "model/AlarmBlock.h"
#include "model/AlarmSegment.h"
#include "model/elements/DisplayGeometry.h"
#include "model/CopyRegGroup.h"
#include "devices/DeviceKeys.h"
#include "devices/ElementGroup.h"
#include "model/ElementRef.h"
#include "model/GlobalButton.h"
#include "model/PanelSettings.h"
#include "model/PasswordEntry.h"
#include "model/PortSettings.h"
#include "devices/PresetRegister.h"
#include "devices/PresetText.h"
#include "model/ScreenRecord.h"
#include "model/ScreenSet.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The project document: the whole project in memory. It owns every screen
// and element, the working element list of the edited screen, the element
// clipboard, the undo history and every project-wide table. One document
// lives for the whole run; File New, Open and Read refill its members.
//
// Element objects are shared through ElementRef: the working list and the
// edited screen's record hold the same objects between operations (every
// change ends with PushUndoSnapshot, which commits). The clipboard holds
// clones of its own; undo snapshots share clones among themselves, and from
// a reset of the history (an open, File New) they share the live elements of
// every screen but the edited one until that screen is prepared for an edit
// (PrepareScreenForEdit), which clones it for them. Every screen but the
// edited one stays tied to the history's entry of its state until it is
// prepared, so that snapshots, undo and redo pass over it.
class CVX50TextDoc {
public:
    // Builds the default project: one screen numbered 1 described "画面1"
    // linked to itself, and an undo history of one snapshot of it.
    CVX50TextDoc();

    ElementList& GetWorkingElements() { return WorkingElements; }
    const ElementList& GetWorkingElements() const { return WorkingElements; }
    // The working list becomes `elements` (the same objects; nothing cloned).
    void SetWorkingElements(ElementList elements) { WorkingElements = std::move(elements); }
    std::vector<ScreenRecord>& GetScreens() { return Screens; }
    const std::vector<ScreenRecord>& GetScreens() const { return Screens; }

    // The first screen with `number`, in list order; nullptr when none.
    ScreenRecord* FindScreenByNumber(int number);
    const ScreenRecord* FindScreenByNumber(int number) const;
    // Makes screen `number` the edited one: the screen is prepared for edits
    // (PrepareScreenForEdit), CurrentScreenNumber becomes `number` and the
    // working list the screen's elements (the same objects). Returns the
    // screen; nullptr when no screen has the number, the working list then
    // staying as it was.
    const ScreenRecord* EditScreen(int number);
    // Removes the screen at `at` from the project; a history entry that
    // still stands for its elements takes them.
    void EraseScreen(std::vector<ScreenRecord>::iterator at);

    // The edited screen's element list becomes a copy of the working list.
    void CommitWorkingElements();
    // The commit that first deselects every element and drops the static
    // texts that have no text; the screen-data window is rebuilt.
    void TidyAndCommitWorkingElements();
    // A clone of each element, by its kind; clones keep their numbers and
    // start unselected unless `keepSelection`.
    static ElementList CloneElementList(const ElementList& elements, bool keepSelection = false);

    // Appends `ref` to the working list, then makes screen `screenIndex`'s list
    // a copy of the working list, as record readers and panel builders do:
    // they fill a screen element by element from an empty working list, so a
    // screen list one shorter than the working list that ends with the
    // working list's previous last element is taken to be that copy already
    // and `ref` is only appended to it.
    // Throws std::out_of_range for an index outside the screens.
    void AddElementToScreen(const ElementRef& ref, int screenIndex);

    // The default description of screen `number`: the screen-name string
    // followed by the number in decimal (GBK bytes).
    std::string DefaultScreenDescription(int number) const;
    // Makes `screen` a new project's only screen: number 1 with the default
    // description, linked to itself, without elements.
    void MakeFirstScreen(ScreenRecord& screen) const;

    // The lowest element number from 1 up that no element of the working list
    // uses, per number class (index NumberClassOfTool(tool)).
    std::vector<int> LowestFreeNumbers() const;

    // The device's address-table file (the table part; the keys are read by
    // the callers). Messages are shown on failure; false then.
    bool ReadAddressTable(const std::string& path);
    // Writes the table with the document's device keys; CANEDIT follows the
    // device name (0 for built-in devices). Changes no member.
    bool WriteAddressTable(const std::string& path) const;
    // The document's device keys: DLLNAME, CANEDIT, COMMBUFFLTH, HIGHFRONT.
    DeviceKeys GetDeviceKeys() const;
    // Text to number: -1 on a character outside the base; 0 for an empty text.
    static int ParseHexText(std::string_view text);
    static int ParseOctalText(std::string_view text);

    // The codes of the panel image's header for the screen-saver delay and
    // the two serial lines, and their way back from a panel. `port` selects
    // the line: 0 RS485, any other value COM1. ScreenSaverSeconds and
    // BaudToDivisorCode give -1 for a value outside their tables; each setter
    // changes only the field its name gives, and only when the code names a
    // setting (the field arguments are the line-control byte masked with 0x06,
    // 0x08 and 0x30).
    int ScreenSaverSeconds() const;
    int BaudToDivisorCode(int port) const;
    int LineControlCode(int port) const;
    void SetBaudFromDivisorCode(int code, int port);
    void SetDataBitsFromCode(int field, int port);
    void SetStopBitsFromCode(int field, int port);
    void SetParityFromCode(int field, int port);

    // Screen commands.
    void OnNewScreen();
    void NewScreenFromTree();
    void OnCopyScreen();
    // The copy of the edited screen to screen `target`, once the dialog has
    // answered (OnCopyScreen asks for it). Returns whether the copy was made.
    bool CopyEditedScreenTo(int target);

    // Undo history.
    static constexpr std::size_t kUndoLimit = 32;
    void PushUndoSnapshot();
    void OnEditUndo();
    void OnEditRedo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Empties the history and takes one snapshot of the current project. The
    // snapshot clones the edited screen only: it shares the live elements of
    // the others, which therefore stay as they are until prepared.
    void ResetUndoHistory();
    // Must precede every change of the elements or the element list of a
    // screen other than the edited one (EditScreen calls it for the screen
    // that becomes the edited one): screen `number` is untied from the
    // history's entry of its state, which first gets clones of the live
    // elements if it shares them. PrepareAllScreensForEdit does so for every
    // screen, before changes across screens. Once prepared, a screen needs no
    // more until the history is reset or an undo or redo restores it; changes
    // that a reset of the history follows (reading a project, File New) need
    // none.
    void PrepareScreenForEdit(int number);
    void PrepareAllScreensForEdit();
    // A copy of the project without its undo history, for a reader that fills
    // the copy and may then put it in place of this project.
    CVX50TextDoc CopyWithoutHistory();
    // The element whose page the restore shows: the last element of the
    // working list when it is selected; nullptr for the screen page.
    std::shared_ptr<CScreenElement> ElementForPageAfterRestore() const;

    // Address table and the device (read from the device's address-table file).
    std::vector<ElementGroup> AddressTable;
    std::vector<std::string> DeviceNames; // offered by the device dialogs
    std::string DeviceName; // empty while no device is chosen
    std::string ProtocolLibraryName; // "DLLNAME:"
    int TableEditable = 1; // "CANEDIT:": user-defined device, table embedded in projects
    int CommBufferLength = 30; // "COMMBUFFLTH:"
    int HighFront = 0; // "HIGHFRONT:": 1 = high word of 32-bit values first
    int TableMissing = 0; // the table file could not be read: readers repair every address
    int TableExtended = 0; // a reader added groups or elements: the table is written back
    int Register32Interval = 1; // interval of 32-bit groups that the repair creates
    int DeviceChange = 0; // 1 while elements are rebound to another device
    // Whether element addresses go through the address table and the protocol
    // library (1) or are plain numbers (0). The main frame's flag: hidden
    // commands and the device dialog switch it.
    int UseProtocolLibrary = 1;

    // Screens and elements.
    std::vector<ScreenRecord> Screens; // in the order they were added
    int CurrentScreenNumber = 1; // the edited screen
    ElementList WorkingElements; // the edited screen's elements, in drawing order
    ElementList Clipboard; // clones made by Copy and Cut
    std::vector<DotPoint> ClipboardPositions; // where each clipboard element stood
    std::vector<ScreenSet> UndoHistory; // oldest first, at most kUndoLimit
    int NewScreenNameId = IdsDefaultScreenName; // "画面": prefix of default screen descriptions

    // Panel ports and defaults.
    int ProjectComPort = 1; // PC serial port of the simulation
    PortSettings Rs485Port;
    PortSettings Com1Port;
    int DefaultPort = 0; // 0 RS485, 1 COM1: given to new screens and global buttons
    int DefaultStation = 1; // given to new elements and global buttons

    // Panel settings.
    PanelSettings Panel;

    // Project-wide tables.
    std::vector<AlarmSegment> AlarmSegments;
    std::vector<AlarmBlock> AlarmBlocks;
    int ShownAlarmSegment = 0;
    std::vector<GlobalButton> GlobalButtons; // at most 16
    int SelectedGlobalButton = 0;
    std::vector<PasswordEntry> PasswordTable; // at most six rows
    int HighestPasswordLevel = 0; // 0 none, 1 low, 2 middle, 3 high
    std::vector<CopyRegGroup> CopyRegGroups;
    std::vector<PresetText> PresetTexts;
    std::vector<PresetRegister> PresetRegisters;

    // The project file and the commands around it.
    int ProjectModified = 0; // drives the save prompts
    std::string ProjectPath; // empty until saved or opened
    int SaveCancelled = 0; // Save's file choice was cancelled
    int ResetOnNew = 0; // the next File New resets the project without asking for a device
    int ReadingVersion = 0; // version of the project file being read

private:
    PortSettings& PortBySelector(int port) { return port == 0 ? Rs485Port : Com1Port; }
    const PortSettings& PortBySelector(int port) const { return port == 0 ? Rs485Port : Com1Port; }
    // Live screens rebuilt from the last snapshot after undo or redo.
    void RestoreLastSnapshot();
    // Unties Screens[index] from the history's entry that holds its state.
    // An entry that still waits first takes the screen's elements as they
    // are: clones of them, or the objects themselves when they are about to
    // leave the project.
    void UntieFromHistory(std::size_t index, bool elementsLeaveProject);
    // Entry i holds the state of Screens[i] while nothing changed the screen
    // (or waits for its live elements, after a reset); null once the screen
    // is prepared for an edit, and for the edited screen. A removed screen
    // takes its entry along (EraseScreen) and screens are never reordered,
    // so the indexes hold.
    std::vector<std::shared_ptr<FrozenElements>> ScreensSharedWithHistory;
    // The live screens as a snapshot, sharing `previous`'s clones of the
    // screens whose elements did not change.
    ScreenSet SnapshotOfScreens(const ScreenSet* previous) const;
};
