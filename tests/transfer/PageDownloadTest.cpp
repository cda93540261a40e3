// The page download against the panel emulated on a pseudo-terminal.

#include "emulator/PanelEmulator.h"
#include "support/RecordingUserInterface.h"
#include "transfer/PageDownload.h"
#include "transfer/PanelFrames.h"

#include <QString>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <unistd.h>

using ::testing::ElementsAre;
using Fault = PanelEmulator::Fault;

namespace {

class PageDownloadTest : public ::testing::Test {
public: // the tables' set-ups reach into the fixture
    void SetUp() override
    {
        StartPanel();
        // Byte k of the file is k % 251: every page differs.
        WriteFile(65536 + 100);
    }

    // A fresh panel, which has seen no frame yet.
    void StartPanel()
    {
        panel = std::make_unique<PanelEmulator>();
        ASSERT_TRUE(panel->Start());
    }

    void WriteFile(std::size_t length)
    {
        std::string bytes(length, '\0');
        for (std::size_t k = 0; k < length; ++k)
            bytes[k] = static_cast<char>(k % 251);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    bool Download(std::optional<PageRange> range = PageRange{40, 40})
    {
        PageDownloadChoices choices;
        choices.chooseFile = [this]() -> std::optional<QString> {
            ++fileDialogs;
            return chosen;
        };
        choices.choosePages = [range] { return range; };
        return RunPageDownload(ui, QString::fromStdString(portName.empty() ? panel->DevicePath() : portName),
            choices);
    }

    // The function codes of the frames the panel received, block numbers
    // for the block frames.
    std::vector<int> Frames() const
    {
        std::vector<int> frames;
        for (const auto& frame : panel->ReceivedFrames())
            frames.push_back(frame[1] == kFunctionBlockWrite ? 0x100 + frame[2] : frame[1]);
        return frames;
    }

    std::vector<std::uint8_t> FileBytes(std::size_t from, std::size_t count) const
    {
        std::vector<std::uint8_t> bytes(count);
        for (std::size_t k = 0; k < count; ++k)
            bytes[k] = static_cast<std::uint8_t>((from + k) % 251);
        return bytes;
    }

    std::unique_ptr<PanelEmulator> panel;
    RecordingUserInterface ui;
    std::string path = ::testing::TempDir() + "pages-" + std::to_string(::getpid()) + ".bin";
    std::optional<QString> chosen = QString::fromStdString(path);
    std::string portName;
    int fileDialogs = 0;
};

constexpr int kProbe = kFunctionBegin;
constexpr int kEnd = kFunctionEnd;
constexpr int Page(int p)
{
    return 0x100 + p;
}

TEST_F(PageDownloadTest, TheDefaultRangeSendsPage40AsBlock0x28)
{
    EXPECT_TRUE(Download());
    EXPECT_THAT(Frames(), ElementsAre(kProbe, Page(40), kEnd));
    const auto block = panel->StoredBlock(0x28);
    ASSERT_TRUE(block);
    EXPECT_EQ(std::vector(block->begin(), block->end()), FileBytes(10240, 256));
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61216));
}

TEST_F(PageDownloadTest, RangesSendTheirPagesInOrder)
{
    EXPECT_TRUE(Download(PageRange{3, 5}));
    EXPECT_THAT(Frames(), ElementsAre(kProbe, Page(3), Page(4), Page(5), kEnd));

    // A start above the end sends no page; Cancel in the page dialog neither;
    // both still end the transfer.
    for (const std::optional<PageRange> range : {std::optional(PageRange{5, 3}), std::optional<PageRange>()}) {
        panel->ClearBlocks();
        const std::size_t before = panel->ReceivedFrames().size();
        ui.messages.clear();
        EXPECT_TRUE(Download(range));
        const std::vector<int> frames = Frames();
        EXPECT_THAT(std::vector(frames.begin() + static_cast<std::ptrdiff_t>(before), frames.end()),
            ElementsAre(kProbe, kEnd));
        EXPECT_THAT(ui.MessageIds(), ElementsAre(61216));
    }
}

TEST_F(PageDownloadTest, PagesBeyondAShortFileAreZeros)
{
    WriteFile(300);
    EXPECT_TRUE(Download(PageRange{0, 2}));
    std::vector<std::uint8_t> page1 = FileBytes(256, 44);
    page1.resize(256, 0);
    const std::vector<std::uint8_t> stored = panel->StoredArea(0);
    ASSERT_EQ(stored.size(), 3u * 256);
    EXPECT_EQ(std::vector(stored.begin(), stored.begin() + 256), FileBytes(0, 256));
    EXPECT_EQ(std::vector(stored.begin() + 256, stored.begin() + 512), page1);
    const auto page2 = panel->StoredBlock(2);
    EXPECT_TRUE(std::all_of(page2->begin(), page2->end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(PageDownloadTest, AWronglyAnsweredPageIsSentAgainABoundedNumberOfTimes)
{
    // Two wrong replies, then the page is taken.
    panel->InjectFault(kFunctionBlockWrite, Fault::WrongCode, kPageSendTries - 1);
    EXPECT_TRUE(Download());
    EXPECT_EQ(panel->FrameCount(kFunctionBlockWrite), kPageSendTries);

    // Wrong every time: the transfer is ended before 61209.
    panel->ClearFaults();
    const std::size_t before = panel->ReceivedFrames().size();
    ui.messages.clear();
    panel->InjectFault(kFunctionBlockWrite, Fault::WrongCode, kPageSendTries);
    EXPECT_FALSE(Download(PageRange{40, 41}));
    const std::vector<int> frames = Frames();
    EXPECT_THAT(std::vector(frames.begin() + static_cast<std::ptrdiff_t>(before), frames.end()),
        ElementsAre(kProbe, Page(40), Page(40), Page(40), kEnd));
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61209));
    EXPECT_FALSE(panel->InWrite());
}

TEST_F(PageDownloadTest, AFailedSendStillEndsTheTransfer)
{
    panel->InjectFault(kFunctionBlockWrite, Fault::NoReply);
    EXPECT_FALSE(Download());
    EXPECT_THAT(Frames(), ElementsAre(kProbe, Page(40), kEnd));
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61213));
    EXPECT_FALSE(panel->InWrite());
}

TEST_F(PageDownloadTest, EachFailureEndsWithItsMessage)
{
    struct Row {
        const char* where;
        std::function<void(PageDownloadTest&)> setUp;
        std::vector<int> messages;
        std::vector<int> frames;
        int fileDialogs;
    };
    const Row rows[] = {
        {"no COM1", [](PageDownloadTest& t) { t.portName = "/dev/no-such-vx50-port"; }, {0}, {}, 0},
        {"file dialog cancelled", [](PageDownloadTest& t) { t.chosen.reset(); }, {}, {}, 1},
        {"file not readable", [](PageDownloadTest& t) { t.chosen = QStringLiteral("/no/such/pages.bin"); },
            {61226}, {}, 1},
        {"probe not answered", [](PageDownloadTest& t) { t.panel->InjectFault(kFunctionBegin, Fault::NoReply); },
            {61213}, {kProbe}, 1},
        {"probe refused", [](PageDownloadTest& t) { t.panel->InjectFault(kFunctionBegin, Fault::WrongCode); },
            {61209}, {kProbe}, 1},
        {"end refused", [](PageDownloadTest& t) { t.panel->InjectFault(kFunctionEnd, Fault::WrongCode); },
            {61209}, {kProbe, Page(40), kEnd}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.where);
        StartPanel();
        ui.messages.clear();
        portName.clear();
        chosen = QString::fromStdString(path);
        fileDialogs = 0;
        row.setUp(*this);
        EXPECT_FALSE(Download());
        EXPECT_EQ(ui.MessageIds(), row.messages);
        EXPECT_EQ(Frames(), row.frames);
        EXPECT_EQ(fileDialogs, row.fileDialogs);
    }
}

} // namespace
