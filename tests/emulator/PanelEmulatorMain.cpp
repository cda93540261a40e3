// panel_emulator: a VX50 panel on a pseudo-terminal, for trying the editor
// without hardware. Prints the terminal's path (point a COM number at it with
// VX50_COM<n>=path) and answers until interrupted; then writes the stored
// main and header areas when asked. --baud paces the replies as a serial line
// of that speed would, for trying the editor with a slow panel.
//
//   panel_emulator [--version HEX] [--lock none|refuse|password=N] [--baud N]
//                  [--load-main FILE] [--load-header FILE]
//                  [--save-main FILE] [--save-header FILE]

#include "emulator/PanelEmulator.h"
#include "base/FileIo.h"
#include "transfer/PanelFrames.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// An area holds at most 256 blocks of 256 bytes.
constexpr std::uint64_t kLargestArea = 256 * 256;

// The file's bytes; false (with a message) when it cannot be read.
bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    const std::optional<std::string> data = ReadWholeFile(path, kLargestArea);
    if (!data) {
        std::fprintf(stderr, "panel_emulator: cannot read %s\n", path.c_str());
        return false;
    }
    bytes.assign(data->begin(), data->end());
    return true;
}

// Writes the file whole or not at all; false (with a message) on failure.
bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    if (WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        return true;
    std::fprintf(stderr, "panel_emulator: cannot write %s\n", path.c_str());
    return false;
}

int Usage()
{
    std::fprintf(stderr,
        "usage: panel_emulator [--version HEX] [--lock none|refuse|password=N] [--baud N]\n"
        "                      [--load-main FILE] [--load-header FILE] [--save-main FILE] [--save-header FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    PanelEmulator panel;
    std::string saveMain;
    std::string saveHeader;
    if (argc % 2 == 0)
        return Usage();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--version")
            panel.SetFirmwareVersion(static_cast<std::uint8_t>(std::strtoul(value.c_str(), nullptr, 16)));
        else if (option == "--lock" && value == "none")
            panel.SetLock(PanelEmulator::Lock::None);
        else if (option == "--lock" && value == "refuse")
            panel.SetLock(PanelEmulator::Lock::Refuse);
        else if (option == "--lock" && value.rfind("password=", 0) == 0)
            panel.SetLock(PanelEmulator::Lock::Password, static_cast<std::uint16_t>(std::atoi(value.c_str() + 9)));
        else if (option == "--baud" && std::atoi(value.c_str()) > 0)
            panel.SetLineSpeed(std::atoi(value.c_str()));
        else if (option == "--load-main" || option == "--load-header") {
            std::vector<std::uint8_t> bytes;
            if (!ReadFile(value, bytes))
                return 1;
            panel.LoadArea(option == "--load-main" ? kFirstMainBlock : kFirstHeaderBlock, bytes);
        } else if (option == "--save-main")
            saveMain = value;
        else if (option == "--save-header")
            saveHeader = value;
        else
            return Usage();
    }

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr); // before the worker starts, so it inherits the mask
    if (!panel.Start()) {
        std::fprintf(stderr, "panel_emulator: no pseudo-terminal\n");
        return 1;
    }
    std::printf("%s\n", panel.DevicePath().c_str());
    std::fflush(stdout);
    int received = 0;
    sigwait(&signals, &received);
    panel.Stop();
    bool saved = true;
    if (!saveMain.empty())
        saved = WriteFile(saveMain, panel.StoredArea(kFirstMainBlock)) && saved;
    if (!saveHeader.empty())
        saved = WriteFile(saveHeader, panel.StoredArea(kFirstHeaderBlock)) && saved;
    return saved ? 0 : 1;
}
