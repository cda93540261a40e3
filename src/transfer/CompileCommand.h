#pragma once

#include "transfer/ProtocolFunctionTable.h"
#include "transfer/image/UnifontFont.h"

#include <functional>
#include <memory>
#include <string>

class CVX50TextDoc;
class UserInterface;

// How much of the panel's project memory (0x9000 bytes) an image takes, from
// the lengths of its glyph table (G) and project data (D):
//   B = ceil((G + D) / 256) blocks, T = G + D + 5 B, the bytes the write's
//   block frames carry of it; used = T, free = 36864 - T.
// An image fits when T is below 36864.
struct ImageUsage {
    int blocks = 0;
    int total = 0; // T
    bool fits = false;
    int used = 0;
    int free = 0;
};
ImageUsage MeasureImageUsage(int glyphTableLength, int projectDataLength);

// "已用空间:" followed by T as a percentage of 36864 with two decimals ("%2.2f")
// and "%", as GBK bytes.
std::string UsedSpaceText(const ImageUsage& usage);

// The compile command: builds the project data as the write command does,
// with the screen descriptions, and measures the main area it would send
// without the address-table text (no port, no header). It shows the used
// space and hands the figures to the usage chart; a failed check or an image
// that does not fit (61262) shows its message and leaves the chart as it was.
class CompileCommand {
public:
    // The protocol library's entries are loaded into `protocol` while the
    // document uses the library.
    CompileCommand(CVX50TextDoc& doc, ProtocolFunctionTable& protocol, UserInterface& ui,
        std::shared_ptr<const UnifontFont> font = SharedUnifont());

    // True when the project fits; `showUsage` then gets the figures before
    // the progress window is removed and the used space is shown.
    bool Run(const std::function<void(const ImageUsage&)>& showUsage);

private:
    CVX50TextDoc& m_doc;
    ProtocolFunctionTable& m_protocol;
    UserInterface& m_ui;
    std::shared_ptr<const UnifontFont> m_font;
};
