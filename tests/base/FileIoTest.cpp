#include "base/FileIo.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a write under a file-size limit left behind: empty when the write
// reported failure, the old bytes are intact and no temporary file is left.
std::string CheckFailedWrite(std::size_t size)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string path = folder + "/project.opf";
    const std::string old = "the old project";
    // Written before the limit applies.
    if (!WriteFileAtomically(path, old))
        return "the old file could not be written";
    if (!LimitFileSize(size - 1))
        return "the file size cannot be limited";

    std::string failure;
    if (WriteFileAtomically(path, std::string(size, 'x')))
        failure += "the write of " + std::to_string(size) + " bytes reported success; ";
    if (ReadTestFile(path) != old)
        failure += "the old file was changed; ";
    const auto entries = std::distance(std::filesystem::directory_iterator(folder), {});
    if (entries != 1)
        failure += std::to_string(entries) + " files are left in the folder; ";
    return failure;
}

} // namespace

// A write that stops part way (a full disk, a file-size limit) is reported
// as a failure and the old file stays as it was, whether the bytes would
// have fitted a write buffer or not.
TEST(FileIo, WriteThatDoesNotCompleteFailsAndKeepsTheOldFile)
{
    for (const std::size_t size : {std::size_t{5}, std::size_t{1024}, std::size_t{20 * 1024}, std::size_t{1 << 20}})
        ExpectInFileSizeLimitedChild([size] { return CheckFailedWrite(size); });
}

TEST(FileIo, WriteReplacesTheFileAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/a.bin";
    ASSERT_TRUE(WriteFileAtomically(path, "first version"));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(ReadTestFile(path), std::optional<std::string>("second"));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()), {}), 1);
}

// Reading takes regular files only, up to the reader's bound; a device, a
// FIFO or a folder neither hangs nor grows memory without end.
TEST(FileIo, ReadsRegularFilesUpToTheBound)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    ASSERT_TRUE(WriteFileAtomically(folder + "/ten", "0123456789"));
    const std::string fifo = folder + "/fifo";
    EXPECT_TRUE(MakeFifo(fifo));
    using Status = FileContents::Status;
    struct Case {
        const char* name;
        std::string path;
        std::uint64_t bound;
        Status status;
    };
    const Case cases[] = {
        {"at the bound", folder + "/ten", 10, Status::Read},
        {"one byte past the bound", folder + "/ten", 9, Status::TooLarge},
        {"missing", folder + "/missing", 10, Status::NotReadable},
        {"folder", folder, 10, Status::NotReadable},
        {"endless device", "/dev/zero", 10, Status::NotReadable},
        {"FIFO", fifo, 10, Status::NotReadable},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const Case& c : cases) {
        const FileContents file = ReadBoundedFile(c.path, c.bound);
        EXPECT_EQ(file.status, c.status) << c.name;
        EXPECT_EQ(file.bytes, c.status == Status::Read ? "0123456789" : "") << c.name;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    EXPECT_EQ(ReadFileStart(folder + "/ten", 4), std::optional<std::string>("0123"));
    EXPECT_EQ(ReadFileStart(folder + "/ten", 20), std::optional<std::string>("0123456789"));
    EXPECT_FALSE(ReadFileStart(fifo, 4).has_value());
    EXPECT_FALSE(ReadFileStart("/dev/zero", 4).has_value());
}
