#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "base/FileIo.h"
#include "base/FormatError.h"
#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ByteIo, WriterAndReaderAgreeOnBothByteOrders)
{
    ByteWriter w;
    w.U8(0xAB);
    w.U16Le(0x1234);
    w.U16Be(0x1234);
    w.U32Le(0xDEADBEEF);
    w.U32Be(0xDEADBEEF);
    w.Bytes("xy");
    EXPECT_EQ(w.Data(), std::string("\xAB\x34\x12\x12\x34\xEF\xBE\xAD\xDE\xDE\xAD\xBE\xEFxy", 15));

    ByteReader r(w.Data());
    EXPECT_EQ(r.U8(), 0xAB);
    EXPECT_EQ(r.U16Le(), 0x1234);
    EXPECT_EQ(r.U16Be(), 0x1234);
    EXPECT_EQ(r.U32Le(), 0xDEADBEEFu);
    EXPECT_EQ(r.I32Be(), static_cast<std::int32_t>(0xDEADBEEF));
    EXPECT_EQ(r.Bytes(2), "xy");
    EXPECT_TRUE(r.AtEnd());
}

TEST(ByteIo, ShortReadThrowsAndKeepsPosition)
{
    const std::string data("\x01\x02\x03", 3);
    ByteReader r(data);
    r.U8();
    EXPECT_THROW(r.U32Le(), FormatError);
    EXPECT_EQ(r.Position(), 1u);
    EXPECT_THROW(r.Bytes(3), FormatError);
    EXPECT_THROW(r.Skip(static_cast<std::size_t>(-1)), FormatError);
    EXPECT_EQ(r.U16Be(), 0x0203);
    EXPECT_THROW(r.U8(), FormatError);
}

TEST(GbkText, RoundTripsChineseText)
{
    const std::string gbk = GbkFromUtf8("画面1");
    EXPECT_EQ(gbk, std::string("\xBB\xAD\xC3\xE6" "1"));
    EXPECT_EQ(Utf8FromGbk(gbk), "画面1");
}

TEST(FileIo, AtomicWriteReplacesOnlyOnSuccess)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.bin";
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    EXPECT_EQ(ReadTestFile(path), std::optional<std::string>("first"));
    EXPECT_FALSE(WriteFileAtomically(dir.path().toStdString() + "/missing/b.bin", "x"));
    EXPECT_FALSE(ReadTestFile(dir.path().toStdString() + "/missing/b.bin").has_value());
}

TEST(ProgramPaths, DeviceFilesLieUnderTheProgramFolder)
{
    SetProgramFolder("/opt/vx50");
    EXPECT_EQ(DeviceTablePath("ModBus Slave"), "/opt/vx50/Device/ModBus SlaveCommunication.add");
    EXPECT_EQ(PresetTextPath("A"), "/opt/vx50/PreSetDText/APreSetDText.psd");
    EXPECT_EQ(PresetRegisterPath("A"), "/opt/vx50/PreSetReg/APreSetReg.psd");
    EXPECT_EQ(ProtocolFolder(), "/opt/vx50/Protocol/");
    for (const char* bad : {"", ".", "..", "a/b", "a\\b"}) {
        EXPECT_FALSE(IsSafeDeviceName(bad)) << bad;
        EXPECT_THROW(DeviceTablePath(bad), std::invalid_argument) << bad;
    }
    // 0x5C as the trail byte of a GBK character is no backslash.
    EXPECT_TRUE(IsSafeDeviceName(GbkFromUtf8("乗")));
    EXPECT_EQ(GbkFromUtf8("乗")[1], '\x5C');
}
