// panel_emulator: a VX50 panel on a pseudo-terminal, for trying the editor
// without hardware. Prints the terminal's path (point a COM number at it with
// VX50_COM<n>=path) and answers until interrupted; then writes the stored
// main and header areas when asked.
//
//   panel_emulator [--version HEX] [--lock none|refuse|password=N]
//                  [--load-main FILE] [--load-header FILE]
//                  [--save-main FILE] [--save-header FILE]

#include "emulator/PanelEmulator.h"
#include "transfer/PanelFrames.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
        static_cast<std::streamsize>(bytes.size()));
}

int Usage()
{
    std::fprintf(stderr,
        "usage: panel_emulator [--version HEX] [--lock none|refuse|password=N]\n"
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
        else if (option == "--load-main")
            panel.LoadArea(kFirstMainBlock, ReadFile(value));
        else if (option == "--load-header")
            panel.LoadArea(kFirstHeaderBlock, ReadFile(value));
        else if (option == "--save-main")
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
    if (!saveMain.empty())
        WriteFile(saveMain, panel.StoredArea(kFirstMainBlock));
    if (!saveHeader.empty())
        WriteFile(saveHeader, panel.StoredArea(kFirstHeaderBlock));
    return 0;
}
