#include "transfer/ComPortFile.h"

#include "base/FileIo.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

struct ReadCase {
    const char* name;
    std::string bytes; // nullopt-like: "missing" marks no file
    bool present;
    int expected;
};

} // namespace

TEST(ComPortFile, ReadsTheNumberOrFallsBackToOne)
{
    const std::vector<ReadCase> cases = {
        {"missing", "", false, 1},
        {"port 3", std::string("\x03\x00\x00\x00", 4), true, 3},
        {"port 32", std::string("\x20\x00\x00\x00", 4), true, 32},
        {"two bytes", std::string("\x03\x00", 2), true, 1},
        {"empty", "", true, 1},
        {"zero", std::string(4, '\0'), true, 1},
        {"above 32", std::string("\x21\x00\x00\x00", 4), true, 1},
        {"negative", std::string("\xFF\xFF\xFF\xFF", 4), true, 1},
        {"longer file reads its first four bytes", std::string("\x05\x00\x00\x00\x09", 5), true, 5},
    };
    for (const ReadCase& c : cases) {
        QTemporaryDir dir;
        const std::string path = dir.path().toStdString() + "/PZ.DAT";
        if (c.present) {
            ASSERT_TRUE(WriteFileAtomically(path, c.bytes)) << c.name;
        }
        EXPECT_EQ(ReadComPortFile(path), c.expected) << c.name;
    }
}

TEST(ComPortFile, WritesFourLittleEndianBytesThatReadBack)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/PZ.DAT";
    ASSERT_TRUE(WriteFileAtomically(path, "old contents that are longer"));
    ASSERT_TRUE(WriteComPortFile(path, 3));
    EXPECT_EQ(ReadTestFile(path), std::string("\x03\x00\x00\x00", 4));
    EXPECT_EQ(ReadComPortFile(path), 3);
}

TEST(ComPortFile, AFolderThatCannotBeWrittenReportsFailure)
{
    QTemporaryDir dir;
    EXPECT_FALSE(WriteComPortFile(dir.path().toStdString() + "/no such folder/PZ.DAT", 3));
}

// Only the number's four bytes of a regular file are read: an endless device
// or a FIFO in the file's place neither grows memory nor waits for a writer.
TEST(ComPortFile, FileThatIsNoRegularFileReadsAsPortOne)
{
    QTemporaryDir dir;
    const std::string fifo = dir.path().toStdString() + "/fifo";
    ASSERT_TRUE(MakeFifo(fifo));
    const std::string zero = dir.path().toStdString() + "/PZ.DAT";
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_EQ(ReadComPortFile(fifo), 1);
    EXPECT_EQ(ReadComPortFile(zero), 1);
}
