#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CVX50TextDoc;
struct ScreenRecord;

// What the project tree's screen commands and the screen dialogs do to the
// document: add, insert, delete and describe screens while the Up/Down ring
// stays whole and every reference to a renumbered screen follows it. The
// dialogs check first (nothing changes on a refusal), then apply.

constexpr int kHighestScreenNumber = 65535;
// A project holds at most this many screens.
constexpr std::size_t kScreenLimit = 256;
// Descriptions are limited in bytes: 10 Chinese characters or 20 others.
constexpr std::size_t kScreenDescriptionLimit = 20;

enum class ScreenRefusal {
    None,
    NumberInUse,         // add: the number names a screen already
    DescriptionTooLong,  // more than kScreenDescriptionLimit bytes
    NoRoomAbove,         // insert: the run of numbers to move up reaches 65535
};

// New, copy and insert check the limit first: true, after message IdsScreensOver256
// "最大画面数为256!", when the project holds kScreenLimit screens.
bool RefuseAtScreenLimit(const CVX50TextDoc& doc);

// The number the new-screen dialog proposes: one above the highest in use,
// at most 65535.
int ProposedNewScreenNumber(const CVX50TextDoc& doc);

// The target the copy-screen dialog proposes: one above the number of the
// last record whose number rises over the record before it (one above the
// only screen's number; 2 when no record rises); 65534 instead of anything
// above 65535.
int ProposedCopyTarget(const std::vector<ScreenRecord>& screens);

// When `description` is still the default description of `oldNumber`
// (leading blanks aside), the default description of `newNumber`; otherwise
// `description` unchanged. Texts are GBK bytes.
std::string FollowDefaultDescription(const CVX50TextDoc& doc, const std::string& description, int oldNumber,
    int newNumber);

// Whether the new-screen dialog may add (or, in `insertMode`, insert) screen
// `number` described `description`.
ScreenRefusal CheckNewScreen(const CVX50TextDoc& doc, int number, std::string_view description, bool insertMode);

// Adds screen `number` (CheckNewScreen passed): the working list is tidied
// into the edited screen, the new empty screen is linked into the ring,
// appended to the screens and made the edited one; the project is marked
// modified and an undo snapshot taken. In `insertMode` an existing screen
// `number` and the run of consecutive numbers above it first move up by one,
// together with every link, jump target, panel setting and default
// description that names them. When that moved a global button's jump or a
// panel screen (which undo snapshots do not hold), the undo history starts
// anew instead, so that no undo can separate them from their screens.
void CreateScreen(CVX50TextDoc& doc, int number, const std::string& description, bool insertMode);

// Deletes screen `number` and closes the ring around it; the screen after it
// in the ring (the one before it when it was the highest) becomes the edited
// one, its elements the working list. The only screen is not removed but
// reset to an empty screen 1 described "画面1". Marks the project modified;
// the caller's screen switch takes the undo snapshot. Returns the edited
// screen's number; nothing changes (and 0 is returned) when no screen has
// `number`.
int DeleteScreen(CVX50TextDoc& doc, int number);

// The screen-properties dialog's values for screen `number`: links, port and
// description. Refuses a description over the limit; otherwise marks the
// project modified and takes an undo snapshot.
struct ScreenSettings {
    int upKeyScreen = 1;
    int downKeyScreen = 1;
    int port = 0;
    std::string description;
};
ScreenRefusal ApplyScreenSettings(CVX50TextDoc& doc, int number, const ScreenSettings& settings);
