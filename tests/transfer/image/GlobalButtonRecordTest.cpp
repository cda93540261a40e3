// Global-button records of the header: their head, the record type by
// function, coil action and group, and the commands of each type.

#include "transfer/image/ImageFixture.h"

using namespace image_test;
using ::testing::ElementsAre;

namespace {

enum Function { Jump = 0, SetCoil = 1, SetRegister = 2, Increment = 3, Decrement = 4 };

class GlobalButtonRecords : public ImageTest {
protected:
    GlobalButton& Button(int function, const std::string& group, const std::string& element, int coilAction = 0)
    {
        doc.GlobalButtons = {FixtureButton(function, coilAction, group, element)};
        return doc.GlobalButtons.back();
    }

    // The first button's record (the header's global-button section); empty
    // after a failed check, whose message id is then in `failed`.
    std::vector<std::uint8_t> Record()
    {
        const auto image = BuildImage();
        if (!image || !image->header.area) {
            failed = image ? image->header.failedMessageId : -1;
            return {};
        }
        const HeaderArea& area = *image->header.area;
        const std::size_t at = area.bytes[26] + 256u * area.bytes[27] - 0xF000;
        return {area.bytes.begin() + static_cast<std::ptrdiff_t>(at), area.bytes.begin() + area.length};
    }

    int failed = 0;
};

std::vector<std::uint8_t> Part(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t n)
{
    if (at + n > bytes.size())
        return {};
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

TEST_F(GlobalButtonRecords, RecordTypeByFunctionActionAndGroup)
{
    struct Case {
        int function;
        int coilAction;
        std::string group;
        std::string element;
        int type;
    };
    const Case cases[] = {
        {Jump, 0, "Coil", "C0", 2},
        {SetRegister, 0, "Reg", "R0", 0},
        {Increment, 0, "Reg", "R0", 8},
        {Decrement, 0, "Reg", "R0", 8},
        {SetCoil, 0, "Coil", "C0", 0},
        {SetCoil, 1, "Coil", "C0", 0},
        {SetCoil, 2, "Coil", "C0", 1},
        {SetCoil, 3, "Coil", "C0", 3},
        {SetCoil, 4, "Coil", "C0", 3},
        {SetCoil, 0, "Bits", "B3", 4},
        {SetCoil, 1, "Bits", "B3", 4},
        {SetCoil, 2, "Bits", "B3", 5},
        {SetCoil, 3, "Bits", "B3", 6},
        {SetCoil, 4, "Bits", "B3", 6},
    };
    for (const Case& c : cases) {
        Button(c.function, c.group, c.element, c.coilAction);
        auto record = Record();
        ASSERT_GT(record.size(), 8u) << c.function << " " << c.coilAction << " " << c.group;
        EXPECT_EQ(record[7], c.type) << c.function << " " << c.coilAction << " " << c.group;

        // Without the library: the 8 bytes of type 7.
        doc.UseProtocolLibrary = 0;
        record = Record();
        EXPECT_EQ(record.size(), 8u);
        EXPECT_EQ(record.back(), 7);
        doc.UseProtocolLibrary = 1;
    }
}

TEST_F(GlobalButtonRecords, Head)
{
    GlobalButton& button = Button(Decrement, "DReg", "D1");
    button.Flags = GlobalButton::ProtectedFlag;
    button.UserLevel = 1;
    button.KeyCode = 22;
    button.DisplayFormat = 2;
    button.Port = 1;
    auto record = Record();
    // Decrement, signed, 32-bit, bit 3, port 1; the group DReg is index 3.
    EXPECT_THAT(Part(record, 0, 8), ElementsAre(7, 0x14, 0x1E, 2, 22, 0x80 | 0x60 | 0x10 | 0x08 | 1, 3, 8));

    Button(SetCoil, "Coil", "C0").DisplayFormat = 0;
    record = Record();
    EXPECT_THAT(Part(record, 3, 5), ElementsAre(0, 0, 0x18, 0, 0));
    Button(SetRegister, "Reg", "R0");
    record = Record();
    EXPECT_EQ(record[5], 0x28); // unsigned, one 16-bit register
}

TEST_F(GlobalButtonRecords, SetCoilAndRegister)
{
    Button(SetCoil, "Coil", "C5");
    auto record = Record();
    // [control byte][write single coil 5 on].
    EXPECT_THAT(Part(record, 8, 8), ElementsAre(0, 8, 1, 5, 0, 5, 0xFF, 0));
    Button(SetCoil, "Coil", "C5", 1);
    record = Record();
    EXPECT_THAT(Part(record, 8, 8), ElementsAre(16, 8, 1, 5, 0, 5, 0, 0));

    Button(SetRegister, "Reg", "R0").Value = 0x1234;
    record = Record();
    EXPECT_THAT(Part(record, 8, 8), ElementsAre(10, 8, 1, 6, 0, 100, 0x12, 0x34));

    // Two words, in the device's word order: [13][01 10 00 C8 00 02 04 values CRC].
    Button(SetRegister, "DReg", "D0").Value = 0x0A0B0C0D;
    record = Record();
    EXPECT_THAT(Part(record, 8, 2), ElementsAre(12, 13));
    EXPECT_THAT(Part(record, 17, 4), ElementsAre(0x0C, 0x0D, 0x0A, 0x0B));
    doc.HighFront = 1;
    record = Record();
    EXPECT_THAT(Part(record, 17, 4), ElementsAre(0x0A, 0x0B, 0x0C, 0x0D));
    GlobalButton& pair = Button(SetRegister, "Reg", "R0");
    pair.RegisterCount = 2;
    pair.Value = -2;
    record = Record();
    EXPECT_THAT(Part(record, 8, 2), ElementsAre(11, 13));
    EXPECT_THAT(Part(record, 17, 4), ElementsAre(0xFF, 0xFF, 0xFF, 0xFE));
}

TEST_F(GlobalButtonRecords, CoilTogglesAndMomentaryWrites)
{
    Button(SetCoil, "Coil", "C19", 2);
    auto record = Record();
    // Read of 16 coils from 16, bit 3 of reply byte 3, then writes of 0 and 1.
    EXPECT_THAT(Part(record, 8, 7), ElementsAre(8, 1, 1, 0, 16, 0, 16));
    EXPECT_THAT(Part(record, 17, 2), ElementsAre(3, 3));
    EXPECT_EQ(record[19 + 5], 0x00);
    EXPECT_EQ(record[28 + 5], 0xFF);
    EXPECT_EQ(record.size(), 37u);

    Button(SetCoil, "Coil", "C19", 4); // momentary OFF: press 0, release 1
    record = Record();
    EXPECT_EQ(record[8 + 5], 0x00);
    EXPECT_EQ(record[17 + 5], 0xFF);
    EXPECT_EQ(record.size(), 26u);

    // A bit inside a word toggled: [read][out1][out4][bit][write 0][out4][write mask][out4].
    Button(SetCoil, "Bits", "B3", 2);
    record = Record();
    EXPECT_THAT(Part(record, 17, 3), ElementsAre(0, 3, 3));
    EXPECT_THAT(Part(record, 25, 2), ElementsAre(0, 0));
    EXPECT_THAT(Part(record, 35, 2), ElementsAre(0x08, 0x00));
    EXPECT_EQ(record.size(), 40u);
    Button(SetCoil, "Bits", "B3", 0);
    record = Record();
    EXPECT_THAT(Part(record, 25, 2), ElementsAre(0x08, 0x00));
    EXPECT_THAT(Part(record, 29, 2), ElementsAre(4, 1));
}

TEST_F(GlobalButtonRecords, JumpNeedsItsScreen)
{
    Button(Jump, "Coil", "C0").JumpScreen = 1;
    EXPECT_THAT(Record(), ElementsAre(7, 0x14, 0x1E, 0, 0, 0x38, 0, 2, 0, 0));
    Button(Jump, "Coil", "C0").JumpScreen = 3;
    EXPECT_TRUE(Record().empty());
    EXPECT_EQ(failed, 61261);
}

TEST_F(GlobalButtonRecords, StepAndLimit)
{
    GlobalButton& wide = Button(Increment, "DReg", "D0");
    wide.Limit = 0x01020304;
    wide.Step = 5;
    auto record = Record();
    // [count code][limit][step][read of 2 words][out1][out4][write of 2 words][out1][out4].
    EXPECT_THAT(Part(record, 8, 9), ElementsAre(4, 4, 3, 2, 1, 5, 0, 0, 0));
    EXPECT_THAT(Part(record, 17, 7), ElementsAre(8, 1, 3, 0, 200, 0, 2));
    EXPECT_THAT(Part(record, 26, 2), ElementsAre(0, 3));
    EXPECT_THAT(Part(record, 28, 8), ElementsAre(13, 1, 0x10, 0, 200, 0, 2, 4));
    EXPECT_THAT(Part(record, 42, 2), ElementsAre(0, 7));
    EXPECT_EQ(record.size(), 44u);

    GlobalButton& single = Button(Increment, "Reg", "R0");
    single.Limit = 5;
    single.Step = 10;
    EXPECT_TRUE(Record().empty());
    EXPECT_EQ(failed, 61391);
    // Decrement has no such check, nor a signed increment, whose values
    // may lie below zero.
    GlobalButton decrement = single;
    decrement.Function = Decrement << 2;
    doc.GlobalButtons = {decrement};
    EXPECT_THAT(Part(Record(), 8, 5), ElementsAre(2, 5, 0, 10, 0));
    doc.GlobalButtons[0].Function = Increment << 2;
    doc.GlobalButtons[0].DisplayFormat = 2;
    EXPECT_FALSE(Record().empty());
}

TEST_F(GlobalButtonRecords, RefusedLibraryCalls)
{
    struct Case {
        int function;
        std::string group;
        int coilAction;
        int message;
    };
    const Case cases[] = {
        {SetCoil, "Coil", 0, 61259},
        {SetCoil, "Coil", 2, 61255},
        {SetCoil, "Bits", 0, 61256},
        {SetRegister, "Reg", 0, 61245},
        {Increment, "Reg", 0, 61256},
    };
    for (const Case& c : cases) {
        Button(c.function, c.group, c.group == "Coil" ? "C0" : c.group == "Bits" ? "B0" : "R0", c.coilAction)
            .Station = 300;
        EXPECT_TRUE(Record().empty());
        EXPECT_EQ(failed, c.message) << c.function << " " << c.group;
    }
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
