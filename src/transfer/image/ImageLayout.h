#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Named places of the panel image, shared by the image builder and the
// reader that rebuilds a project from an image read back from the panel, so
// the two sides name every position alike.

// The header's fixed part (61 bytes). Two-byte values are low byte first;
// slots hold panel addresses 0xF000 + the offset of their section.
enum HeaderPlace : std::size_t {
    Rs485BaudAt = 1,
    Rs485LineAt = 2,
    Com1BaudAt = 3,
    Com1LineAt = 4,
    HexCommandsAt = 5,
    FrameResultAt = 6,
    CheckTypeAt = 7,
    FrameSlot = 8,
    PasswordSlot = 10,
    DefaultPortAt = 12,
    HighestScreenAt = 13,
    MainScreenAt = 15,
    GlyphAddressAt = 17,
    ScreenTableSlot = 19,
    AlarmCountAt = 21,
    EncryptAt = 22,
    AlarmSlot = 23,
    ButtonCountAt = 25,
    ButtonSlot = 26,
    SwitchFlagsAt = 28,
    ControlPortAt = 29,
    ControlReadSlot = 31,
    ControlWriteSlot = 33,
    ReportWriteSlot = 35,
    SaverSecondsAt = 37,
    SaverScreenAt = 39,
    HighFrontAt = 41,
    CopySourceCountAt = 42,
    CopySourceSlot = 43,
    CopyTargetCountAt = 45,
    CopyTargetSlot = 46,
    DeviceClassAt = 48,
    CommTimeAt = 49,
    RetriesAt = 50,
    ReplyWaitAt = 51,
    NotReadableAt = 52,
    VersionAt = 60,
};

// Bits of the switch flags byte.
enum SwitchFlag : std::uint8_t {
    AutoScreenSwitchFlag = 0x01,
    ReportScreenFlag = 0x02,
    ClearAfterSwitchFlag = 0x04,
};

// The panel-settings dialog's range of the communication time (byte 49), in ms.
inline constexpr int kShortestCommTime = 10;
inline constexpr int kLongestCommTime = 50;

// Entry sizes of the header's sections.
inline constexpr std::size_t kCopyEntryLength = 6;
inline constexpr std::size_t kAlarmEntryLength = 5;
inline constexpr std::size_t kPasswordEntryLength = 3;
// The control read command is followed by [out1][1][out4][slot][0][group index].
inline constexpr std::size_t kControlReadTail = 6;

// Record type bytes of the main area's element records (byte 0).
enum RecordType : std::uint8_t {
    StaticTextRecord = 1,
    PictureRecord = 2,
    LampRecord = 6,
    FuncKeyRecord = 7,
    DynamicTextRecord = 8,
    RegisterRecord = 9,
    BarRecord = 10,
    CurveRecord = 11,
    AlarmListRecord = 12,
};

// The first three bytes of a global button's record.
inline constexpr std::array<std::uint8_t, 3> kGlobalButtonHead = {7, 0x14, 0x1E};

// A screen record's head: [elements][registers][Up-key screen - 1]
// [Down-key screen - 1][port][poll records].
inline constexpr std::size_t kScreenHeadLength = 8;
// A poll item: [reply position][slot][memory position][group index].
inline constexpr std::size_t kPollItemLength = 4;
// The register position of a register that is not polled.
inline constexpr int kUnpolledPosition = 99;
// The image's screen references are numbers - 1 from this version on.
inline constexpr int kNumberedReferencesVersion = 8;
// The image carries the address-table text from this version on.
inline constexpr int kEmbeddedTableVersion = 10;
