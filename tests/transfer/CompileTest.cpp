// The compile command: its figures, its messages and that it measures what
// the write sends.

#include "emulator/PanelEmulator.h"
#include "model/elements/CPictureElement.h"
#include "model/elements/CTextElement.h"
#include "support/FixtureProject.h"
#include "support/PanelImageWalker.h"
#include "transfer/CompileCommand.h"
#include "transfer/PanelFrames.h"
#include "transfer/WritePanelCommand.h"
#include "transfer/image/ImageFixture.h"

using namespace image_test;
using ::testing::ElementsAre;

namespace {

TEST(ImageUsageFigures, FromTheLengthsOfGlyphTableAndProjectData)
{
    struct Row {
        int glyphs;
        int data;
        int total;
        bool fits;
        const char* percent;
    };
    const Row rows[] = {
        {2, 12, 19, true, "0.05"},        // one empty screen
        {2, 14, 21, true, "0.06"},        // its description "AB"
        {2, 93, 100, true, "0.27"},       // used is exactly T, not T held in single precision
        {2, 18075, 18432, true, "50.00"}, // 71 blocks
        {2, 36151, 36863, true, "100.00"},
        {2, 36152, 36864, false, "100.00"}, // a full panel is refused
        {2, 36351, 37068, false, "100.55"}, // one block more
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.total);
        const ImageUsage usage = MeasureImageUsage(row.glyphs, row.data);
        EXPECT_EQ(usage.total, row.total);
        EXPECT_EQ(usage.blocks, (row.glyphs + row.data + 255) / 256);
        EXPECT_EQ(usage.fits, row.fits);
        EXPECT_EQ(usage.used, row.total);
        EXPECT_EQ(usage.free, 36864 - row.total);
        EXPECT_EQ(Utf8FromGbk(UsedSpaceText(usage)), std::string("已用空间:") + row.percent + "%");
    }
}

class CompileTest : public ImageTest {
protected:
    CompileTest()
    {
        Screen().Description.clear();
        doc.CurrentScreenNumber = 0; // no edited screen: the working list stays out
    }

    std::optional<ImageUsage> Compile()
    {
        std::optional<ImageUsage> shown;
        CompileCommand(doc, protocol, ui, font).Run([&](const ImageUsage& usage) {
            shown = usage;
            ui.calls.push_back("chart");
        });
        return shown;
    }

    ProtocolFunctionTable protocol;
};

TEST_F(CompileTest, OneEmptyScreenTakes19Bytes)
{
    auto usage = Compile();
    ASSERT_TRUE(usage);
    EXPECT_EQ(usage->total, 19);
    EXPECT_EQ(usage->free, 36864 - 19);
    // Range 4 x 1 screen + 5; the chart before the window goes, the text after.
    EXPECT_THAT(ui.calls, ElementsAre("ProgressBegin 9", "ProgressCaption 61373 61374", "RefreshElementList 1",
        "chart", "ProgressEnd", "ShowMessageText"));
    EXPECT_EQ(Utf8FromGbk(ui.messages.back().gbkText), "已用空间:0.05%");

    Screen().Description = "AB";
    usage = Compile();
    ASSERT_TRUE(usage);
    EXPECT_EQ(usage->total, 21);
}

TEST_F(CompileTest, FailuresShowTheirMessageAndLeaveTheChart)
{
    // A check of the project data.
    Screen().UpKeyScreen = 9;
    EXPECT_FALSE(Compile());
    EXPECT_EQ(ui.calls.back(), "ProgressEnd");
    EXPECT_EQ(ui.messages.size(), 1u);

    // A static text of more characters than its record counts, at the text.
    Screen().UpKeyScreen = 1;
    auto text = Add(std::make_shared<CTextElement>(0));
    text->SetText(std::string(256, 'x'));
    ui.calls.clear();
    EXPECT_FALSE(Compile());
    EXPECT_THAT(std::vector(ui.calls.end() - 3, ui.calls.end()),
        ElementsAre("ShowMessage 61551", "GoToElement 0 0 3", "ProgressEnd"));
    Screen().Elements.clear();

    // Too large for the panel.
    for (int k = 0; k < 24; ++k) {
        auto picture = Add(std::make_shared<CPictureElement>());
        picture->SetPixelStore(std::vector<std::uint8_t>(CPictureElement::kPixelStoreSize, 0));
        picture->SetSize(192, 64);
    }
    ui.calls.clear();
    EXPECT_FALSE(Compile());
    EXPECT_THAT(std::vector(ui.calls.end() - 2, ui.calls.end()), ElementsAre("ShowMessage 61262", "ProgressEnd"));

    // The protocol library is missing.
    doc.ProtocolLibraryName = "Missing.dll";
    ui.calls.clear();
    EXPECT_FALSE(Compile());
    EXPECT_THAT(std::vector(ui.calls.end() - 2, ui.calls.end()), ElementsAre("ShowMessage 61243", "ProgressEnd"));
}

// A project of every record, with empty texts, pictures of several sizes
// (one stretched into a box of another size) and alarms: the compile's T is
// the glyph table and project data that the write sends, with their block
// frames' 5 bytes a block.
TEST_F(CompileTest, MeasuresWhatTheWriteSends)
{
    FillFixtureProject(doc);
    ScreenRecord& first = Screen(0);
    auto empty = std::make_shared<CTextElement>(0);
    first.Elements.push_back({KindText, empty});
    auto states = std::make_shared<CTextElement>(1);
    Bind(*states, "Reg", "R5");
    states->AddState("", "1");
    states->AddState("X", "");
    first.Elements.push_back({KindText, states});
    for (const auto& [width, height, boxWidth, boxHeight] :
        {std::array{8, 8, 8, 8}, std::array{40, 17, 40, 17}, std::array{64, 30, 100, 9}}) {
        auto picture = std::make_shared<CPictureElement>();
        picture->SetPixelStore(std::vector<std::uint8_t>(CPictureElement::kPixelStoreSize, 0x40));
        picture->SetSize(width, height);
        picture->SetBoxSize(boxWidth, boxHeight);
        first.Elements.push_back({KindPicture, picture});
    }
    ASSERT_FALSE(doc.AlarmBlocks.empty());

    const auto usage = Compile();
    ASSERT_TRUE(usage);

    PanelEmulator panel;
    ASSERT_TRUE(panel.Start());
    ProtocolFunctionTable writeProtocol;
    WritePanelCommand::Options options;
    options.askDescriptions = false; // written with the descriptions, as the compile counts them
    options.portName = QString::fromStdString(panel.DevicePath());
    ASSERT_TRUE(WritePanelCommand(doc, writeProtocol, ui, font).Run(options));

    const WalkedHeader header = WalkHeaderArea(panel.StoredArea(kFirstHeaderBlock));
    const WalkedMainArea main = WalkMainArea(panel.StoredArea(kFirstMainBlock), header);
    ASSERT_TRUE(main.alarmScreen);
    const int sent = static_cast<int>(main.descriptions.end); // glyph table and project data
    EXPECT_EQ(usage->total, sent + 5 * ((sent + 255) / 256));
}

} // namespace
