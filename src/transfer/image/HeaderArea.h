#pragma once

#include "transfer/ProtocolFunctionTable.h"
#include "transfer/image/MainArea.h"
#include "transfer/image/ProjectData.h"

#include <cstdint>
#include <optional>
#include <vector>

class CVX50TextDoc;

// The header area of the panel image, written to panel addresses 0xF000 and
// up in blocks numbered 0xF0 to 0xFF. A fixed part of 61 bytes (the panel's
// ports and protocol, the panel settings and the addresses of the sections)
// is followed by these sections, without gaps:
//   copy-register source entries, copy-register target entries,
//   screen address table (the record of screen n, or 01 FF, at entry n - 1),
//   frame head and tail, control-register commands, alarm entries,
//   passwords, project summary, global buttons,
//   copy-register read commands, copy-register write commands.
// Addresses inside it are 0xF000 + offset; those into the main area
// 0x6000 + offset.

constexpr int kHeaderFixedLength = 61;
constexpr std::uint8_t kImageFormatVersion = 11;
// Block numbers 0xF0 to 0xFF: a header takes at most 16 blocks.
constexpr int kLongestHeader = 16 * kImageBlockSize;
// What Read takes back of the header; a longer one marks the image not
// readable, so Read refuses it instead of decoding bytes it never read.
constexpr int kReadBackHeaderLength = 8 * kImageBlockSize;

struct HeaderArea {
    std::vector<std::uint8_t> bytes; // blockCount x 256 bytes, zero-filled
    int length = 0;                  // the bytes before the filling
    int blockCount = 0;
    bool beyondReadBack = false;     // length above what Read takes back
};

// The header, or the message of the check that stopped it. Nothing is shown:
// the write ends its transfer with the panel before it shows the message.
struct HeaderBuild {
    std::optional<HeaderArea> area;
    int failedMessageId = 0;
};

// Whether the header needs the protocol library: while the document uses it,
// and for copy registers also while it does not, since their commands come
// from the library alone.
bool HeaderNeedsProtocolLibrary(const CVX50TextDoc& doc);

// Builds the header of the image whose main area `main` was assembled from
// `data` with `glyphCount` glyphs. The checks run in building order: main
// screen (61263), saver screen (61264), control register (61265), then the
// library calls of the control commands, the global buttons (with 61261 and
// 61391) and the copy registers (61255, 61256, 61259, 61245); a header
// longer than 16 blocks fails with 61262.
HeaderBuild BuildHeaderArea(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, const ProjectData& data,
    const MainArea& main, int glyphCount);
