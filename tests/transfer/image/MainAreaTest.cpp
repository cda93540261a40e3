// The main area: glyph table, project data, the embedded address-table text
// and the capacity rule.

#include "base/ProgramPaths.h"
#include "model/elements/CTextElement.h"
#include "transfer/image/ImageFixture.h"

#include <filesystem>

using namespace image_test;
using ::testing::ElementsAre;

namespace {

using MainAreaBuild = ImageTest;

ProjectData DataOfLength(int length)
{
    ProjectData data;
    data.bytes.assign(static_cast<std::size_t>(length), '\x5A');
    return data;
}

TEST_F(MainAreaBuild, EmptyProjectHasNoGlyphs)
{
    ASSERT_TRUE(Build());
    const auto area = builder->Assemble();
    ASSERT_TRUE(area);
    EXPECT_EQ(area->blockCount, 1);
    EXPECT_EQ(area->bytes.size(), 256u);
    EXPECT_EQ(kMainAreaAddress + area->projectDataOffset, 0x6002);
    EXPECT_FALSE(area->notReadable);
    // n = 0, the project data at 2 (panel address 0x6002), then L = 0.
    EXPECT_THAT(std::vector(area->bytes.begin(), area->bytes.begin() + 16),
        ElementsAre(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0));
}

TEST_F(MainAreaBuild, GlyphsAndCodesFollowTheCount)
{
    auto text = Add(std::make_shared<CTextElement>(0));
    text->SetText(kA + kAh + kA);
    ASSERT_TRUE(Build());
    const auto area = builder->Assemble();
    ASSERT_TRUE(area);
    const auto& b = area->bytes;
    EXPECT_THAT(std::vector(b.begin(), b.begin() + 2), ElementsAre(0, 2));
    // Glyph 0 is U+963F (a filled square in the fixture font), glyph 1 U+554A.
    EXPECT_EQ(std::count(b.begin() + 2, b.begin() + 34, 0xFF), 32);
    EXPECT_THAT(std::vector(b.begin() + 34, b.begin() + 38), ElementsAre(0xFC, 0x04, 0xFC, 0x00));
    // Codes: B0A2 and B0A1 as GB2312 row and cell from 0.
    EXPECT_THAT(std::vector(b.begin() + 66, b.begin() + 70), ElementsAre(0x0F, 0x01, 0x0F, 0x00));
    // G = 2 + 34 x 2: the screen record starts there.
    EXPECT_EQ(area->projectDataOffset, 70);
    EXPECT_EQ(b[70], 1);
}

TEST(GlyphTable, CharacterCodes)
{
    UsedCharTable table;
    table.Add(0xB0, 0xA1);
    table.Add(0x81, 0x40);
    const std::string bytes = GlyphTableBytes(table, nullptr);
    ASSERT_EQ(bytes.size(), 2u + 64 + 4);
    EXPECT_THAT(Bytes(bytes.substr(66)), ElementsAre(0x0F, 0x00, 0xE0, 0x9F));
    EXPECT_EQ(bytes.substr(2, 64), std::string(64, '\0')); // no font, no dots
}

// The largest main area that fits: T + 5 x ceil(T / 256) = 36864.
constexpr int kLargestFit = 36154;

TEST(Capacity, BlocksWithTheirFrameOverhead)
{
    EXPECT_EQ(ImageBlockCount(kLargestFit), 142);
    EXPECT_EQ(kLargestFit + 5 * ImageBlockCount(kLargestFit), 36864);
    EXPECT_TRUE(FitsPanel(kLargestFit));
    EXPECT_EQ(kLargestFit + 1 + 5 * ImageBlockCount(kLargestFit + 1), 36865);
    EXPECT_FALSE(FitsPanel(kLargestFit + 1));
    EXPECT_EQ(ImageBlockCount(256), 1);
    EXPECT_EQ(ImageBlockCount(257), 2);
}

TEST(Capacity, TheAddressTableTextGoesWhenItDoesNotFit)
{
    RecordingUserInterface ui;
    const int largest = kLargestFit;
    // G = 2, D chosen so that T = G + D + 2 + L is the largest that fits.
    const EmbeddedTableText text{100, std::string(100, 't')};
    const ProjectData fits = DataOfLength(largest - 2 - 2 - 100);
    auto area = AssembleMainArea(std::string(2, '\0'), fits, text, true, ui);
    ASSERT_TRUE(area);
    EXPECT_FALSE(area->notReadable);
    EXPECT_EQ(area->blockCount, ImageBlockCount(largest));
    EXPECT_EQ(area->bytes[static_cast<std::size_t>(largest) - 1], 't');
    EXPECT_TRUE(ui.calls.empty());

    // One byte more: a user-defined device asks; No writes nothing.
    const ProjectData over = DataOfLength(largest - 2 - 2 - 100 + 1);
    ui.ScriptAnswers({IdNo});
    EXPECT_FALSE(AssembleMainArea(std::string(2, '\0'), over, text, true, ui));
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61414));

    // Yes, or a built-in device without asking: written without the text.
    ui.ScriptAnswers({IdYes});
    area = AssembleMainArea(std::string(2, '\0'), over, text, true, ui);
    ASSERT_TRUE(area);
    EXPECT_TRUE(area->notReadable);
    const int length = 2 + static_cast<int>(over.bytes.size());
    EXPECT_EQ(area->blockCount, ImageBlockCount(length));
    EXPECT_EQ(area->bytes[static_cast<std::size_t>(length)], 0);
    ui.messages.clear();
    area = AssembleMainArea(std::string(2, '\0'), over, text, false, ui);
    ASSERT_TRUE(area);
    EXPECT_TRUE(area->notReadable);
    EXPECT_TRUE(ui.messages.empty());

    // Too large even without the text.
    EXPECT_FALSE(AssembleMainArea(std::string(2, '\0'), DataOfLength(largest), {}, false, ui));
    EXPECT_THAT(ui.MessageIds(), ElementsAre(61262));
}

class EmbeddedText : public ImageTest {
protected:
    EmbeddedText()
    {
        Modbus(); // loaded from the real program folder before the test moves it
        folder = ::testing::TempDir() + "embedded-program-" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(folder + "Device");
        previous = ProgramFolder();
        SetProgramFolder(folder);
        doc.TableEditable = 1;
        doc.DeviceName = "MyDevice";
    }
    ~EmbeddedText() override { SetProgramFolder(previous); }

    void WriteTable(std::size_t length)
    {
        std::ofstream(DeviceTablePath(doc.DeviceName), std::ios::binary) << std::string(length, 'a');
    }

    std::string folder;
    std::string previous;
};

TEST_F(EmbeddedText, UserDefinedDevicesCarryTheirTable)
{
    WriteTable(300);
    EmbeddedTableText text = ReadEmbeddedTableText(doc);
    EXPECT_EQ(text.length, 300);
    EXPECT_EQ(text.text, std::string(300, 'a'));

    ASSERT_TRUE(Build());
    const auto area = builder->Assemble();
    ASSERT_TRUE(area);
    // G = 2, D = 11: L = 300 high byte first at 13, the text after it.
    EXPECT_THAT(std::vector(area->bytes.begin() + 13, area->bytes.begin() + 16), ElementsAre(0x01, 0x2C, 'a'));
    EXPECT_EQ(area->blockCount, 2);

    doc.TableEditable = 0;
    EXPECT_EQ(ReadEmbeddedTableText(doc).length, 0);
    doc.TableEditable = 1;
    doc.DeviceName = "PN07";
    EXPECT_EQ(ReadEmbeddedTableText(doc).length, 0);
    doc.DeviceName = "NoFile";
    EXPECT_EQ(ReadEmbeddedTableText(doc).length, 0);
}

TEST_F(EmbeddedText, AnOverlongTableIsNeverCarried)
{
    WriteTable(0xFFFF);
    const EmbeddedTableText text = ReadEmbeddedTableText(doc);
    EXPECT_EQ(text.length, 0xFFFF);
    EXPECT_TRUE(text.text.empty());
    ASSERT_TRUE(Build());
    ui.ScriptAnswers({IdYes});
    const auto area = builder->Assemble();
    ASSERT_TRUE(area);
    EXPECT_TRUE(area->notReadable);
}

} // namespace
