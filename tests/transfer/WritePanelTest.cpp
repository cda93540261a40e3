// The write command against the panel emulated on a pseudo-terminal: what
// the panel stores, the frames it sees, and the clean-up of every way out.

#include "base/ProgramPaths.h"
#include "emulator/PanelEmulator.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CTextElement.h"
#include "support/FixtureProject.h"
#include "support/PanelImageOf.h"
#include "support/RecordingUserInterface.h"
#include "transfer/PanelFrames.h"
#include "transfer/WritePanelCommand.h"
#include "transfer/image/ImageFixture.h"

#include <QString>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

using namespace image_test;
using ::testing::ElementsAre;
using Fault = PanelEmulator::Fault;

namespace {

// How many descriptors of this process have `path` open.
int OpenCount(const std::string& path)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) == path && !error)
            ++count;
    }
    return count;
}

// A recording user interface that also notes, before each message box and
// before the progress window goes, what happened on the line since: an end
// frame the panel received after the begin frame ("end"), the program's
// port closed ("close"). So its log shows the clean-up of a way out in order.
class CleanUpRecorder : public RecordingUserInterface {
public:
    explicit CleanUpRecorder(const PanelEmulator& panel)
        : m_panel(panel), m_unopened(OpenCount(panel.DevicePath()))
    {
    }

    int ShowMessage(int stringId, unsigned flags) override
    {
        Look();
        log.push_back("message " + std::to_string(stringId));
        return RecordingUserInterface::ShowMessage(stringId, flags);
    }
    int ShowMessageText(const std::string& gbkText, unsigned flags) override
    {
        Look();
        log.push_back("message text");
        return RecordingUserInterface::ShowMessageText(gbkText, flags);
    }
    void ProgressEnd() override
    {
        Look();
        log.push_back("progress removed");
        RecordingUserInterface::ProgressEnd();
    }
    void ProgressStep(int position) override
    {
        Look();
        RecordingUserInterface::ProgressStep(position);
    }

    void Look()
    {
        const auto frames = m_panel.ReceivedFrames();
        const auto begin = std::find_if(frames.begin(), frames.end(),
            [](const auto& f) { return f[1] == kFunctionBegin; });
        const auto ends = begin == frames.end() ? 0
            : std::count_if(begin, frames.end(), [](const auto& f) { return f[1] == kFunctionEnd; });
        for (; m_ends < ends; ++m_ends)
            log.push_back("end");
        const bool open = OpenCount(m_panel.DevicePath()) > m_unopened;
        if (m_open && !open)
            log.push_back("close");
        m_open = open;
    }

    std::vector<std::string> log;

private:
    const PanelEmulator& m_panel;
    const int m_unopened;
    long m_ends = 0;
    bool m_open = false;
};

class WritePanelTest : public ::testing::Test {
public: // the tables' set-ups reach into the fixture
    void SetUp() override
    {
        StartPanel();
        FillFixtureProject(doc);
    }

    // A fresh panel, which has seen no frame yet.
    void StartPanel()
    {
        recorder.reset();
        panel = std::make_unique<PanelEmulator>();
        ASSERT_TRUE(panel->Start());
        recorder = std::make_unique<CleanUpRecorder>(*panel);
        portName = QString::fromStdString(panel->DevicePath());
    }

    bool Write(bool askDescriptions = false)
    {
        WritePanelCommand command(doc, protocol, *recorder, FixtureFont());
        const bool written = command.Run({askDescriptions, portName,
            [this](const std::string& text) { version = text; }});
        recorder->Look();
        return written;
    }

    // The image the write should send, built apart.
    using Expected = PanelImageAreas;
    Expected BuildExpected(bool descriptions)
    {
        RecordingUserInterface quiet;
        std::optional<Expected> image = PanelImageOf(doc, Modbus(), quiet, FixtureFont(), {descriptions});
        EXPECT_TRUE(image);
        return image ? std::move(*image) : Expected{};
    }

    // The function codes of the frames the panel received, runs of blocks as one.
    std::vector<int> FrameOrder() const
    {
        std::vector<int> order;
        for (const auto& frame : panel->ReceivedFrames())
            if (order.empty() || frame[1] != kFunctionBlockWrite || order.back() != kFunctionBlockWrite)
                order.push_back(frame[1]);
        return order;
    }

    std::unique_ptr<PanelEmulator> panel;
    std::unique_ptr<CleanUpRecorder> recorder;
    QString portName;
    bool askDescriptions = false;
    CVX50TextDoc doc;
    ProtocolFunctionTable protocol;
    std::string version;
};

TEST_F(WritePanelTest, TheWholeImageReachesThePanelInOrder)
{
    panel->SetFirmwareVersion(0x23);
    ASSERT_TRUE(Write());
    const Expected expected = BuildExpected(true);
    EXPECT_EQ(panel->StoredArea(kFirstMainBlock), expected.main);
    EXPECT_EQ(panel->StoredArea(kFirstHeaderBlock), expected.header);
    EXPECT_LE(expected.header.size(), 16u * kBlockSize);

    // A stray end for a panel left inside a transfer, then begin, the blocks
    // in number order, end and the version.
    EXPECT_THAT(FrameOrder(), ElementsAre(kFunctionEnd, kFunctionBegin, kFunctionBlockWrite, kFunctionEnd,
        kFunctionVersion));
    std::vector<int> blocks;
    for (const auto& frame : panel->ReceivedFrames())
        if (frame[1] == kFunctionBlockWrite)
            blocks.push_back(frame[2]);
    const int mainBlocks = static_cast<int>(expected.main.size() / kBlockSize);
    const int headerBlocks = static_cast<int>(expected.header.size() / kBlockSize);
    ASSERT_EQ(blocks.size(), static_cast<std::size_t>(mainBlocks + headerBlocks));
    for (int k = 0; k < mainBlocks; ++k)
        EXPECT_EQ(blocks[static_cast<std::size_t>(k)], 0x60 + k);
    for (int j = 0; j < headerBlocks; ++j)
        EXPECT_EQ(blocks[static_cast<std::size_t>(mainBlocks + j)], 0xF0 + j);

    EXPECT_EQ(Utf8FromGbk(version), "下位机版本:  V2.3");
    EXPECT_THAT(recorder->log, ElementsAre("end", "close", "progress removed", "message 61266"));
    // Range 4 x 3 screens + 55; the bar moves on after every block.
    EXPECT_THAT(recorder->calls.front(), "ProgressBegin 67");
    EXPECT_TRUE(std::is_sorted(recorder->progress.begin(), recorder->progress.end()));
    EXPECT_GE(recorder->progress.back(), mainBlocks + headerBlocks);
}

TEST_F(WritePanelTest, TheDescriptionsAreWrittenAsTheUserAnswers)
{
    // No: the description table carries no descriptions.
    recorder->ScriptAnswers({IdNo});
    ASSERT_TRUE(Write(true));
    EXPECT_EQ(panel->StoredArea(kFirstMainBlock), BuildExpected(false).main);
    EXPECT_EQ(recorder->MessageIds().front(), 61330);

    panel->ClearBlocks();
    recorder->ScriptAnswers({IdYes});
    ASSERT_TRUE(Write(true));
    EXPECT_EQ(panel->StoredArea(kFirstMainBlock), BuildExpected(true).main);
}

TEST_F(WritePanelTest, TheEditedScreenIsTidiedIntoItsRecordFirst)
{
    // Two empty static texts in a row on the edited screen both go.
    auto label = [] { return std::make_shared<CTextElement>(0); };
    doc.WorkingElements.push_back({KindText, label()});
    doc.WorkingElements.push_back({KindText, label()});
    doc.WorkingElements.front().element->Selected = 1;
    const std::size_t before = doc.Screens[1].Elements.size();
    ASSERT_TRUE(Write());
    EXPECT_EQ(doc.Screens[1].Elements.size(), before);
    for (const ElementRef& ref : doc.Screens[1].Elements)
        EXPECT_EQ(ref.element->Selected, 0);
}

// The end frame before the begin is for a panel left inside a transfer. A
// panel that keeps silent on it costs the write no time, and one that answers
// it late, however late within the begin's wait, never has that reply taken
// for the begin's.
TEST_F(WritePanelTest, TheEndBeforeTheBeginCostsNothingAndItsLateReplyIsPassedOver)
{
    using Clock = std::chrono::steady_clock;
    struct Row {
        const char* panel;
        Fault fault;
        int delayMs;
    };
    const Row rows[] = {
        {"answers at once", Fault::None, 0},
        {"keeps silent", Fault::NoReply, 0},
        {"answers after 1.4 s", Fault::SlowReply, 1400},
        {"answers after 2.5 s", Fault::SlowReply, 2500},
    };
    std::map<std::string, double> seconds;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.panel);
        StartPanel();
        panel->InjectFault(kFunctionEnd, row.fault, 1, row.delayMs);
        const auto start = Clock::now();
        ASSERT_TRUE(Write()) << ::testing::PrintToString(recorder->MessageIds());
        seconds[row.panel] = std::chrono::duration<double>(Clock::now() - start).count();
        EXPECT_EQ(panel->StoredArea(kFirstMainBlock), BuildExpected(true).main);
        EXPECT_THAT(FrameOrder(), ElementsAre(kFunctionEnd, kFunctionBegin, kFunctionBlockWrite, kFunctionEnd,
            kFunctionVersion));
    }
    EXPECT_LT(seconds["keeps silent"] - seconds["answers at once"], 0.5) << seconds["keeps silent"];
}

// Without the protocol library the copy registers' commands still come from
// it: the write loads it for them, whatever ran before in the same run.
TEST_F(WritePanelTest, WithoutTheLibraryTheProjectAloneDecidesTheWrite)
{
    for (const bool loadedBefore : {false, true}) {
        SCOPED_TRACE(loadedBefore ? "after a write that loaded the library" : "in a fresh run");
        StartPanel();
        protocol = ProtocolFunctionTable();
        if (loadedBefore) {
            ASSERT_TRUE(Write());
            panel->ClearBlocks();
        }
        doc = CVX50TextDoc();
        FillFixtureProject(doc, false);
        ASSERT_FALSE(doc.CopyRegGroups.empty());
        ASSERT_TRUE(Write()) << ::testing::PrintToString(recorder->MessageIds());
        EXPECT_EQ(panel->StoredArea(kFirstHeaderBlock), BuildExpected(true).header);

        // A library that is missing then fails before the port opens.
        StartPanel();
        doc.ProtocolLibraryName = "Missing.dll";
        EXPECT_FALSE(Write());
        EXPECT_THAT(recorder->log, ElementsAre("message 61243", "progress removed"));
        EXPECT_TRUE(panel->ReceivedFrames().empty());
        doc = CVX50TextDoc();
        FillFixtureProject(doc);
    }
}

// Pictures of the whole display: more than the panel holds.
void AddFullPictures(CVX50TextDoc& doc, int count)
{
    for (int k = 0; k < count; ++k) {
        auto picture = std::make_shared<CPictureElement>();
        picture->SetPixelStore(std::vector<std::uint8_t>(CPictureElement::kPixelStoreSize, 0));
        picture->SetSize(192, 64);
        doc.Screens[0].Elements.push_back({KindPicture, picture});
    }
}

// Every way out of the write: its clean-up in order ("end" is an end frame
// after the begin frame, "close" the port closed) and the frames the panel saw.
// A project that a check refuses sends nothing: the port is not even opened.
TEST_F(WritePanelTest, EveryWayOutCleansUpInItsOrder)
{
    const int mainBlocks = static_cast<int>(BuildExpected(true).main.size() / kBlockSize);
    const std::string previousFolder = ProgramFolder();
    constexpr int E = kFunctionEnd, B = kFunctionBegin, W = kFunctionBlockWrite, V = kFunctionVersion;
    struct Row {
        const char* where;
        std::function<void(WritePanelTest&)> setUp;
        std::vector<std::string> log;
        std::vector<int> frames;
    };
    const Row rows[] = {
        {"Cancel at 61330",
            [](WritePanelTest& t) {
                t.askDescriptions = true;
                t.recorder->ScriptAnswers({IdCancel});
            },
            {"message 61330"}, {}},
        {"no progress window", [](WritePanelTest& t) { t.recorder->progressFails = true; }, {}, {}},
        {"protocol library missing", [](WritePanelTest& t) { t.doc.ProtocolLibraryName = "Missing.dll"; },
            {"message 61243", "progress removed"}, {}},
        {"port not opened", [](WritePanelTest& t) { t.portName = QStringLiteral("/dev/no-such-vx50-port"); },
            {"message text", "progress removed"}, {}},
        {"a check of the project data", [](WritePanelTest& t) { t.doc.Screens[0].UpKeyScreen = 9; },
            {"message text", "progress removed"}, {}},
        {"a static text of 256 characters",
            [](WritePanelTest& t) {
                auto text = std::make_shared<CTextElement>(0);
                text->SetText(std::string(256, 'x'));
                t.doc.Screens[0].Elements.push_back({KindText, text});
            },
            {"message 61551", "progress removed"}, {}},
        {"begin not answered", [](WritePanelTest& t) { t.panel->InjectFault(kFunctionBegin, Fault::NoReply); },
            {"message 61213", "close", "progress removed"}, {E, B}},
        {"begin refused", [](WritePanelTest& t) { t.panel->InjectFault(kFunctionBegin, Fault::WrongCode); },
            {"message 61209", "close", "progress removed"}, {E, B}},
        {"No to 61414",
            [](WritePanelTest& t) {
                // A user-defined device whose table text does not fit (its
                // program folder has no protocol library for copy registers).
                FillFixtureProject(t.doc, false);
                t.doc.CopyRegGroups.clear();
                const std::string folder = ::testing::TempDir() + "write-program/";
                std::filesystem::create_directories(folder + "Device");
                SetProgramFolder(folder);
                t.doc.DeviceName = "MyDevice";
                t.doc.TableEditable = 1;
                std::ofstream(DeviceTablePath(t.doc.DeviceName), std::ios::binary) << std::string(40000, 'a');
                t.recorder->ScriptAnswers({IdNo});
            },
            {"message 61414", "progress removed"}, {}},
        {"61262", [](WritePanelTest& t) { AddFullPictures(t.doc, 24); }, {"message 61262", "progress removed"},
            {}},
        {"a check of the header", [](WritePanelTest& t) { t.doc.Panel.MainScreen = 9; },
            {"message 61263", "progress removed"}, {}},
        {"main block not answered",
            [](WritePanelTest& t) {
                t.panel->InjectFault(kFunctionBlockWrite, Fault::None, 1);
                t.panel->InjectFault(kFunctionBlockWrite, Fault::NoReply);
            },
            {"end", "message 61213", "close", "progress removed"}, {E, B, W, E}},
        {"main block refused",
            [](WritePanelTest& t) { t.panel->InjectFault(kFunctionBlockWrite, Fault::WrongCode); },
            {"end", "message 61210", "close", "progress removed"}, {E, B, W, E}},
        {"header block refused",
            [mainBlocks](WritePanelTest& t) {
                t.panel->InjectFault(kFunctionBlockWrite, Fault::None, mainBlocks);
                t.panel->InjectFault(kFunctionBlockWrite, Fault::WrongCode);
            },
            {"end", "message 61210", "close", "progress removed"}, {E, B, W, E}},
        {"end not answered",
            [](WritePanelTest& t) {
                t.panel->InjectFault(kFunctionEnd, Fault::None, 1); // the stray end before the begin
                t.panel->InjectFault(kFunctionEnd, Fault::NoReply);
            },
            {"end", "message 61214", "close", "progress removed"}, {E, B, W, E}},
        {"end refused",
            [](WritePanelTest& t) {
                t.panel->InjectFault(kFunctionEnd, Fault::None, 1);
                t.panel->InjectFault(kFunctionEnd, Fault::WrongCode);
            },
            {"end", "message 61385", "close", "progress removed"}, {E, B, W, E}},
        {"version not given", [](WritePanelTest& t) { t.panel->InjectFault(kFunctionVersion, Fault::WrongCode); },
            {"end", "message 61213", "close", "progress removed"}, {E, B, W, E, V}},
        {"written", [](WritePanelTest&) {}, {"end", "close", "progress removed", "message 61266"},
            {E, B, W, E, V}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.where);
        StartPanel();
        doc = CVX50TextDoc();
        FillFixtureProject(doc);
        askDescriptions = false;
        row.setUp(*this);
        const bool written = Write(askDescriptions);
        SetProgramFolder(previousFolder);
        EXPECT_EQ(written, std::string(row.where) == "written");
        EXPECT_EQ(recorder->log, row.log);
        EXPECT_EQ(FrameOrder(), row.frames);
        if (row.frames.empty()) { // not one byte, not even the end frame
            EXPECT_EQ(panel->ReceivedByteCount(), 0u);
        }
        EXPECT_EQ(OpenCount(panel->DevicePath()), 1); // the emulator's own
    }
}

} // namespace
