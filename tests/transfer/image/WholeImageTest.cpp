// The whole image of a project that uses every record: built as the write
// builds it, then walked back field by field over every byte.

#include "support/FixtureProject.h"
#include "support/PanelImageWalker.h"
#include "transfer/image/ImageFixture.h"

#include <set>

using namespace image_test;
using ::testing::ElementsAre;

namespace {

class WholeImage : public ImageTest {
protected:
    struct Walked {
        WalkedHeader header;
        WalkedMainArea main;
    };

    // Builds the image and walks both areas; each walk must end where the
    // area's bytes end, and only zeros fill its last block.
    Walked BuildAndWalk(bool descriptions = false)
    {
        const auto image = BuildImage(descriptions);
        if (!image || !image->header.area)
            throw std::runtime_error("the fixture project did not build");
        const HeaderArea& header = *image->header.area;
        Walked walked{WalkHeaderArea(header.bytes), {}};
        EXPECT_EQ(walked.header.end, static_cast<std::size_t>(header.length));
        ExpectZerosFrom(header.bytes, walked.header.end);

        walked.main = WalkMainArea(image->main.bytes, walked.header);
        const ProjectData& data = builder->Data();
        EXPECT_EQ(walked.main.projectDataOffset, static_cast<std::size_t>(image->main.projectDataOffset));
        EXPECT_EQ(walked.main.end, walked.main.projectDataOffset + data.bytes.size() + 2);
        ExpectZerosFrom(image->main.bytes, walked.main.end);
        return walked;
    }

    static void ExpectZerosFrom(const std::vector<std::uint8_t>& bytes, std::size_t end)
    {
        ASSERT_LE(end, bytes.size());
        EXPECT_LT(bytes.size() - end, 256u);
        EXPECT_TRUE(std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(end), bytes.end(),
            [](std::uint8_t b) { return b == 0; }));
    }

    static std::set<unsigned> KeyCodes(const std::vector<WalkedRecord>& records)
    {
        std::set<unsigned> codes;
        for (const WalkedRecord& r : records)
            if (r.Has("action"))
                codes.insert(r.Value("action"));
        return codes;
    }
};

TEST_F(WholeImage, EveryByteOfEveryRecordIsWalked)
{
    FillFixtureProject(doc);
    for (const bool descriptions : {false, true}) {
        const Walked walked = BuildAndWalk(descriptions);
        const WalkedMainArea& main = walked.main;
        const WalkedHeader& header = walked.header;

        ASSERT_EQ(main.screens.size(), 3u);
        std::set<std::string> kinds;
        for (const WalkedRecord& element : main.screens[0].elements)
            kinds.insert(element.kind);
        EXPECT_EQ(kinds, (std::set<std::string>{"lamp", "register", "bar", "curve", "static text", "dynamic text",
                             "picture"}));
        EXPECT_EQ(KeyCodes(main.screens[1].elements), (std::set<unsigned>{0, 1, 2, 3, 4, 5, 6, 8}));
        EXPECT_EQ(KeyCodes(header.buttons), (std::set<unsigned>{0, 1, 2, 3, 4, 5, 6, 8}));
        ASSERT_TRUE(main.alarmScreen);
        EXPECT_EQ(main.alarmScreen->polls.size(), 2u);
        EXPECT_EQ(main.glyphs.Value("count"), 1u);
        EXPECT_EQ(main.descriptions.Value("with descriptions"), descriptions ? 1u : 0u);

        // Screens 1, 2 and 5, then the alarm screen as 6.
        EXPECT_EQ(header.fixed.Value("screen count"), 6u);
        EXPECT_EQ(header.screenTable.Value("screen 3"), 0xFF01u);
        EXPECT_EQ(header.control.size(), 3u);
        EXPECT_EQ(header.alarms.size(), 2u);
        EXPECT_EQ(header.copyReads.size(), 2u);
        EXPECT_EQ(header.copyWrites.size(), 3u);
        EXPECT_EQ(header.summary.Value("edited screen"), 1u);
        EXPECT_EQ(header.summary.Field("device name").bytes, "PN07");
        EXPECT_EQ(header.fixed.Value("not readable"), 0u);
        ASSERT_TRUE(main.tableText);
        EXPECT_EQ(main.tableText->Value("length"), 0u);
    }
}

TEST_F(WholeImage, WithoutTheLibraryKeysAndButtonsCarryNoCommands)
{
    FillFixtureProject(doc, false);
    const Walked walked = BuildAndWalk();
    EXPECT_EQ(KeyCodes(walked.main.screens[1].elements), std::set<unsigned>{7});
    std::set<unsigned> kinds;
    for (const WalkedRecord& key : walked.main.screens[1].elements)
        kinds.insert(key.Value("kind"));
    EXPECT_EQ(kinds, (std::set<unsigned>{0, 1, 2}));
    EXPECT_EQ(KeyCodes(walked.header.buttons), std::set<unsigned>{7});
    for (const WalkedRecord& button : walked.header.buttons)
        EXPECT_EQ(button.Size(), 8u);
    EXPECT_TRUE(walked.header.control.empty());
    EXPECT_TRUE(walked.main.alarmScreen->polls.empty());
}

TEST_F(WholeImage, AlarmStatusWordsAgreeAndNeverOverlap)
{
    // 16 coils from C0 reach into a second word; bits 15 to 17 from word 50
    // (whose address is 2 in its sixteen) are read as two registers.
    const auto block = [](int mode, int group, int start, int bit, int count) {
        AlarmBlock b;
        b.GroupMode = mode;
        b.GroupIndex = group;
        b.StartAddress = start;
        b.StartBit = bit;
        b.AlarmCount = count;
        b.Station = 1;
        return b;
    };
    doc.AlarmBlocks = {block(CoilOrMultiWriteMode, 0, 0, 0, 16), block(WordBitMode, 1, 50, 15, 3),
        block(CoilOrMultiWriteMode, 0, 5, 0, 1)};
    const Walked walked = BuildAndWalk();
    const WalkedRecord& list = walked.main.alarmScreen->elements.at(0);
    std::vector<unsigned> headerWords;
    std::vector<unsigned> listWords;
    for (std::size_t k = 0; k < 3; ++k) {
        headerWords.push_back(walked.header.alarms[k].Value("status word"));
        listWords.push_back(list.Value("block " + std::to_string(k) + " word"));
    }
    EXPECT_THAT(headerWords, ElementsAre(100, 102, 104));
    EXPECT_EQ(listWords, headerWords);
    // The register read asks for as many registers as the block's words.
    const std::string& read = walked.main.alarmScreen->polls[1].Field("read").bytes;
    ASSERT_EQ(read.size(), 8u);
    EXPECT_EQ(read[5], 2);
}

TEST_F(WholeImage, TheWalkRefusesAnImageThatDoesNotAddUp)
{
    FillFixtureProject(doc);
    auto image = BuildImage();
    ASSERT_TRUE(image && image->header.area);
    std::vector<std::uint8_t> header = image->header.area->bytes;
    const WalkedHeader walked = WalkHeaderArea(header);

    // One global button more than the records: the copy reads are no longer
    // where their entries point.
    ++header[25];
    EXPECT_THROW(WalkHeaderArea(header), WalkError);
    --header[25];
    // A screen-table entry pointing one byte off.
    ++header[walked.screenTable.Field("screen 2").offset];
    const WalkedHeader shifted = WalkHeaderArea(header);
    EXPECT_THROW(WalkMainArea(image->main.bytes, shifted), WalkError);
}

} // namespace
