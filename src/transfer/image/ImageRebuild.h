#pragma once

#include "transfer/ProtocolFunctionTable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CVX50TextDoc;
class UserInterface;

// Rebuilding a project from a panel image read back from the panel: the
// header area (up to 2048 bytes) and the main area, each as the bytes of its
// blocks in order. The image holds no project file; the rebuild derives the
// project from what the panel runs on: settings and tables from the header,
// the device from its name (its address-table file, presets and protocol
// library in the program folder), device names by decoding the stored device
// commands with the library's GetIDandAddress, and screens, elements, global
// buttons and the alarm list from the records.
//
// Every offset and count comes from the panel and is checked before it is
// used: a damaged image throws FormatError, never reads outside its bytes.

// What the header tells the rest of the read.
struct ImageHeaderFacts {
    // A copy-register entry: [port][commands][command address][buffer place][2 x count].
    struct CopyEntry {
        int port = 0;
        int commandCount = 0;
        std::size_t commandsAt = 0; // header offset of its first command
        int bufferPlace = 0;
        int countBytes = 0;
    };

    int version = 0;
    int screensToBuild = 0;
    int mainBlockCount = 0;
    int editedScreen = 0;
    int descriptionOffset = 0;
    std::string deviceName;
    std::vector<int> alarmPorts;  // per alarm block
    std::vector<int> alarmWords;  // per alarm block: its first screen-memory word
    std::vector<CopyEntry> copySources;
    std::vector<CopyEntry> copyTargets;
    std::optional<std::string> controlRead; // from its own address slot
    int controlGroupIndex = 0;
    std::size_t buttonsAt = 0;
    int buttonCount = 0;
    int mainScreenReference = 0;  // as stored: corrected once the screens are known
    int saverScreenReference = 0;
    // The image was built without the protocol library: no device command in
    // the header, no poll records; keys carry their own address bytes.
    bool withoutLibrary = false;
};

// The most main blocks an image of the panel's capacity takes (0x9000 bytes
// in blocks of 256): a bound above every count a write produces.
int LongestMainArea();

// Whether a device name from the panel may become part of file paths: it
// names no other folder and holds no control character.
bool IsReadableDeviceName(std::string_view name);

// Applies the header's ports, panel settings, alarm segments and passwords
// to the fresh project in `doc`, and empties its copy-register groups and
// alarm blocks: what the project keeps when the main area cannot be read.
// The device stays File New's: the image names its device, which comes with
// its files (TakeImageDevice, or the rest of the rebuild). The alarm list gets one
// segment a block, on the block's port, and empty ones up to eight; the
// segments' groups and alarms come with the main area. Throws FormatError
// for a damaged header (a count or address that leads outside it, more than
// 256 screens, a main block count of 0 or above LongestMainArea).
ImageHeaderFacts ApplyHeaderSettings(CVX50TextDoc& doc, const std::vector<std::uint8_t>& header);

// Makes device `name` (one that IsReadableDeviceName accepts) the project's
// device when its address-table file in the program folder opens, names a
// protocol library and holds a sound table: the name, the keys, the table
// and the device's presets are taken together, and `ui` learns of the
// device. Otherwise the project keeps its device and nothing is shown;
// returns whether the device was taken.
bool TakeImageDevice(CVX50TextDoc& doc, const std::string& name, UserInterface& ui);

// How the rest of the rebuild ended: 0 when it completed, else the message to
// show once the transfer has ended (kMessageShown when the failing step has
// shown its own).
struct RebuildOutcome {
    static constexpr int kMessageShown = -1;
    int messageId = 0;
    bool Completed() const { return messageId == 0; }
};

// The rest of the rebuild, after the main area was read: the device's files
// and protocol library (loaded into `protocol`), copy registers, the control
// register, global buttons, screens with their elements, the screen
// references, the edited screen and the alarm list. `step` moves the progress
// window on. Throws FormatError for a damaged image.
RebuildOutcome RebuildFromImage(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, const ImageHeaderFacts& facts,
    const std::vector<std::uint8_t>& header, const std::vector<std::uint8_t>& main, UserInterface& ui,
    const std::function<void()>& step);
