#include "base/FileIo.h"
#include "base/FormatError.h"
#include "base/GbkText.h"
#include "devices/PresetRegisterFile.h"
#include "devices/PresetTextFile.h"
#include "support/HeapUse.h"
#include "support/RecordingUserInterface.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

PresetText TwoPairPreset()
{
    PresetText p;
    p.GroupName = "D";
    p.Address = 0x1234;
    p.Bit = 3;
    p.ValueType = 2;
    p.Pairs = {{-1, GbkFromUtf8("停止")}, {7, "run"}};
    return p;
}

PresetRegister RegisterPreset(int parts)
{
    PresetRegister p;
    p.Parts = parts;
    p.GroupName = "DW";
    p.RegisterCount = 2;
    p.WordAddress = 0x0102;
    p.Digits = 8;
    p.Decimals = 2;
    p.ValueType = 0;
    p.RawUpper = -1;
    p.RawLower = 5;
    p.EngUpper = 2147483647;
    p.EngLower = -2147483647 - 1;
    return p;
}

} // namespace

TEST(PresetTextFile, RecordLayoutIsBigEndianWithLengthPrefixedTexts)
{
    const std::string bytes = FormatPresetTexts({TwoPairPreset()});
    const std::string expected = std::string("\x00\x01", 2) + "\x01" "D" "\x12\x34" "\x03" "\x02" "\x02"
        + std::string("\xFF\xFF\x04", 3) + GbkFromUtf8("停止") + std::string("\x00\x07\x03", 3) + "run";
    EXPECT_EQ(bytes, expected);
}

TEST(PresetTextFile, RoundTripKeepsPairsAndReadsValuesAsUnsigned16)
{
    PresetText second;
    second.GroupName = "M";
    const auto back = ParsePresetTexts(FormatPresetTexts({TwoPairPreset(), second}));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].GroupName, "D");
    EXPECT_EQ(back[0].Address, 0x1234);
    EXPECT_EQ(back[0].Bit, 3);
    EXPECT_EQ(back[0].ValueType, 2);
    // -1 keeps only its low 16 bits.
    EXPECT_EQ(back[0].Pairs, (std::vector<PresetTextPair>{{65535, GbkFromUtf8("停止")}, {7, "run"}}));
    EXPECT_EQ(back[1].GroupName, "M");
    EXPECT_TRUE(back[1].Pairs.empty());
}

TEST(PresetTextFile, EmptyListIsAnEmptyFile)
{
    EXPECT_EQ(FormatPresetTexts({}), "");
    EXPECT_TRUE(ParsePresetTexts("").empty());
}

TEST(PresetTextFile, DamagedBytesAreRefused)
{
    const std::string good = FormatPresetTexts({TwoPairPreset()});
    for (std::size_t cut = 1; cut < good.size(); ++cut)
        EXPECT_THROW(ParsePresetTexts(good.substr(0, cut)), FormatError) << "cut at " << cut;

    // 51 pairs do not fit the record.
    std::string tooMany = std::string("\x00\x01\x00\x00\x00\x00", 6) + "\x33" "\x01";
    for (int k = 0; k < 51; ++k)
        tooMany += std::string("\x00\x00\x00", 3);
    EXPECT_THROW(ParsePresetTexts(tooMany), FormatError);
}

// A file of the most records the count allows, all without pairs: a record
// holds only the pairs it has, and the file writes back byte for byte.
TEST(PresetTextFile, RecordsWithoutPairsCostLittle)
{
    constexpr int kRecords = 0xFFFF;
    std::string file = "\xFF\xFF";
    for (int k = 0; k < kRecords; ++k)
        file += std::string("\x00\x00\x01\x00\x00\x01", 6); // no name, address 1, no pairs, unsigned

    const std::size_t before = HeapBytesInUse();
    const std::vector<PresetText> presets = ParsePresetTexts(file);
    const std::size_t held = HeapBytesInUse() - before;
    ASSERT_EQ(presets.size(), static_cast<std::size_t>(kRecords));
    EXPECT_LT(held, std::size_t{kRecords} * 128) << held / kRecords << " bytes a record";
    EXPECT_EQ(FormatPresetTexts(presets), file);
}

TEST(PresetTextFile, LongTextIsCutOnACharacterBoundary)
{
    PresetText p;
    p.Pairs = {{0, "xx"}};
    for (int i = 0; i < 200; ++i)
        p.Pairs[0].Text += GbkFromUtf8("字");
    const auto back = ParsePresetTexts(FormatPresetTexts({p}));
    ASSERT_EQ(back.size(), 1u);
    ASSERT_EQ(back[0].Pairs.size(), 1u);
    EXPECT_EQ(back[0].Pairs[0].Text.size(), 254u); // "xx" and 126 whole characters
    EXPECT_EQ(back[0].Pairs[0].Text, p.Pairs[0].Text.substr(0, 254));
}

TEST(PresetTextFile, FileKeepsOldListWhenMissingOrDamaged)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/PreSetDText/devPreSetDText.psd";
    EXPECT_FALSE(ReadPresetTextFile(path));

    ASSERT_TRUE(WritePresetTextFile(path, {TwoPairPreset()})); // creates the folder
    const auto read = ReadPresetTextFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 1u);

    ASSERT_TRUE(WriteFileAtomically(path, std::string("\x00\x05", 2)));
    EXPECT_FALSE(ReadPresetTextFile(path));
}

TEST(PresetRegisterFile, RecordSizesFollowTheParts)
{
    // 8 + n, 22 + n and 24 + n bytes after the 2-byte count.
    const struct {
        int parts;
        std::size_t size;
    } cases[] = {{0, 2 + 8 + 2}, {1, 2 + 22 + 2}, {2, 2 + 24 + 2}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatPresetRegisters({RegisterPreset(c.parts)}).size(), c.size) << "parts " << c.parts;
}

TEST(PresetRegisterFile, BothPartsLayoutAndRoundTrip)
{
    const std::string bytes = FormatPresetRegisters({RegisterPreset(2)});
    const std::string expected = std::string("\x00\x01\x02\x02", 4) + "DW" + std::string("\x01\x02\x02\x00\x08\x02", 6)
        + std::string("\xFF\xFF\xFF\xFF\x00\x00\x00\x05\x7F\xFF\xFF\xFF\x80\x00\x00\x00", 16);
    EXPECT_EQ(bytes, expected);

    const auto back = ParsePresetRegisters(bytes);
    ASSERT_EQ(back.size(), 1u);
    const PresetRegister& p = back[0];
    EXPECT_EQ(p.Parts, 2);
    EXPECT_EQ(p.GroupName, "DW");
    EXPECT_EQ(p.RegisterCount, 2);
    EXPECT_EQ(p.WordAddress, 0x0102);
    EXPECT_EQ(p.Digits, 8);
    EXPECT_EQ(p.Decimals, 2);
    EXPECT_EQ(p.ValueType, 0);
    EXPECT_EQ(p.RawUpper, -1);
    EXPECT_EQ(p.RawLower, 5);
    EXPECT_EQ(p.EngUpper, 2147483647);
    EXPECT_EQ(p.EngLower, -2147483647 - 1);
}

TEST(PresetRegisterFile, OnlyTheStoredPartIsRead)
{
    const auto digitsOnly = ParsePresetRegisters(FormatPresetRegisters({RegisterPreset(0)}));
    ASSERT_EQ(digitsOnly.size(), 1u);
    EXPECT_EQ(digitsOnly[0].Digits, 8);
    EXPECT_EQ(digitsOnly[0].RawUpper, 0);

    const auto rangesOnly = ParsePresetRegisters(FormatPresetRegisters({RegisterPreset(1)}));
    ASSERT_EQ(rangesOnly.size(), 1u);
    EXPECT_EQ(rangesOnly[0].Digits, PresetRegister{}.Digits); // left as constructed
    EXPECT_EQ(rangesOnly[0].RawUpper, -1);
}

TEST(PresetRegisterFile, EmptyAndDamagedFiles)
{
    EXPECT_EQ(FormatPresetRegisters({}), "");
    EXPECT_TRUE(ParsePresetRegisters("").empty());
    EXPECT_TRUE(ParsePresetRegisters(std::string("\x00\x00", 2)).empty());

    const std::string good = FormatPresetRegisters({RegisterPreset(2), RegisterPreset(0)});
    for (std::size_t cut = 1; cut < good.size(); ++cut)
        EXPECT_THROW(ParsePresetRegisters(good.substr(0, cut)), FormatError) << "cut at " << cut;

    std::string badParts = FormatPresetRegisters({RegisterPreset(0)});
    badParts[2] = 3;
    EXPECT_THROW(ParsePresetRegisters(badParts), FormatError);
}

TEST(PresetRegisterFile, WriteAndReadThroughTheFile)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/PreSetReg/devPreSetReg.psd";
    EXPECT_FALSE(ReadPresetRegisterFile(path));
    ASSERT_TRUE(WritePresetRegisterFile(path, {RegisterPreset(1)}));
    const auto read = ReadPresetRegisterFile(path);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 1u);
    EXPECT_EQ(read->front().EngLower, -2147483647 - 1);
}

// Files larger than the format can hold are refused with their message,
// unread.
TEST(PresetFiles, FilesLargerThanTheFormatHoldsAreRefused)
{
    QTemporaryDir dir;
    const std::string texts = dir.path().toStdString() + "/texts.psd";
    const std::string registers = dir.path().toStdString() + "/registers.psd";
    ASSERT_TRUE(MakeSparseFile(texts, 1ull << 30));
    ASSERT_TRUE(MakeSparseFile(registers, 64ull << 20));
    RecordingUserInterface ui;
    EXPECT_FALSE(ReadPresetTextFile(texts));
    EXPECT_FALSE(ReadPresetRegisterFile(registers));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].gbkText, FileTooLargeText(texts));
    EXPECT_EQ(ui.messages[1].gbkText, FileTooLargeText(registers));
}
