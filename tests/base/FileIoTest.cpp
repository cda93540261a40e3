#include "base/FileIo.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
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

namespace {

// What stands at `path` when followed to its end: kind, permissions, device
// number and, for a regular file, its bytes; and whether `path` is a link.
std::string Describe(const std::string& path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return "missing";
    std::string text = S_ISLNK(info.st_mode) ? "link to " : "";
    if (stat(path.c_str(), &info) != 0)
        return text + "missing";
    text += std::to_string(info.st_mode) + " " + std::to_string(info.st_rdev);
    if (S_ISREG(info.st_mode))
        text += " " + ReadTestFile(path).value_or("unreadable");
    return text;
}

std::vector<std::string> TemporariesIn(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            found.push_back(entry.path().string());
    return found;
}

} // namespace

// Only a regular file the user may write is replaced (through its links),
// or a missing one created; anything else fails and stays as it was, with
// no temporary left. Tests may run as root, which the system lets write any
// file: a file or folder that grants nobody write still refuses the write.
TEST(FileIo, WriteReplacesOnlyARegularFileTheUserMayWrite)
{
    struct Case {
        const char* name;
        // Makes what stands at the written path in `folder`; the path, or
        // nothing when this system does not allow making it.
        std::function<std::optional<std::string>(const std::string& folder)> make;
        bool written;
    };
    const auto file = [](const std::string& folder) -> std::optional<std::string> {
        const std::string path = folder + "/target";
        return WriteFileAtomically(path, "old bytes") ? std::optional(path) : std::nullopt;
    };
    const auto linkTo = [](const std::string& folder, const std::string& to) -> std::optional<std::string> {
        const std::string path = folder + "/link";
        return symlink(to.c_str(), path.c_str()) == 0 ? std::optional(path) : std::nullopt;
    };
    const Case cases[] = {
        {"regular file", file, true},
        {"missing file", [](const std::string& folder) { return std::optional(folder + "/new"); }, true},
        {"link to a regular file",
            [&](const std::string& folder) {
                return file(folder) ? linkTo(folder, "target") : std::nullopt;
            },
            true},
        {"link to a missing file", [&](const std::string& folder) { return linkTo(folder, folder + "/absent"); },
            true},
        {"link to a character device",
            [&](const std::string& folder) -> std::optional<std::string> {
                // The same device as /dev/null, made here so that nothing of
                // the system's is at stake.
                const std::string node = folder + "/null";
                if (mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                    return std::nullopt;
                return linkTo(folder, node);
            },
            false},
        {"link to a folder",
            [&](const std::string& folder) {
                return mkdir((folder + "/sub").c_str(), 0755) == 0 ? linkTo(folder, "sub") : std::nullopt;
            },
            false},
        {"folder", [](const std::string& folder) { return std::optional(folder); }, false},
        {"FIFO",
            [](const std::string& folder) {
                return MakeFifo(folder + "/fifo") ? std::optional(folder + "/fifo") : std::nullopt;
            },
            false},
        {"link to a FIFO",
            [&](const std::string& folder) {
                return MakeFifo(folder + "/fifo") ? linkTo(folder, "fifo") : std::nullopt;
            },
            false},
        {"mode-444 file",
            [&](const std::string& folder) {
                const std::optional<std::string> path = file(folder);
                return path && chmod(path->c_str(), 0444) == 0 ? path : std::nullopt;
            },
            false},
        {"file in a mode-555 folder",
            [&](const std::string& folder) {
                const std::optional<std::string> path = file(folder);
                return path && chmod(folder.c_str(), 0555) == 0 ? path : std::nullopt;
            },
            false},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/case";
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        const std::optional<std::string> path = c.make(folder);
        if (!path) {
            std::cout << "skipped, not permitted here: " << c.name << "\n";
            continue;
        }
        const std::string before = Describe(*path);

        EXPECT_EQ(WriteFileAtomically(*path, "new bytes"), c.written) << c.name;

        if (c.written) {
            EXPECT_EQ(ReadTestFile(*path), std::optional<std::string>("new bytes")) << c.name;
            EXPECT_EQ(Describe(*path).starts_with("link to "), before.starts_with("link to ")) << c.name;
        } else {
            EXPECT_EQ(Describe(*path), before) << c.name;
        }
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(TemporariesIn(folder), std::vector<std::string>{}) << c.name;
    }
}

// A save killed part way leaves its temporary file. The next write of the
// same file removes those of processes that are gone, and nothing else: not
// a live process's write in progress, not another file's, not a name or a
// kind of file the writer does not make.
TEST(FileIo, WriteRemovesTheLeftoverTemporariesOfEndedWriters)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string ended = std::to_string(child);
    const std::string live = std::to_string(getppid());

    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::vector<std::string> removed = {"project.opf.tmp" + ended + "-0", "project.opf.tmp" + ended + "-17"};
    const std::vector<std::string> kept = {
        "project.opf.tmp" + live + "-0",
        "other.opf.tmp" + ended + "-0",
        "project.opf.tmp" + ended,
        "project.opf.tmp" + ended + "-1.bak",
        "project.opf.tmp" + ended + "-x",
        "project.opf.bak.tmp" + ended + "-0",
    };
    for (const std::string& name : removed)
        ASSERT_TRUE(WriteFileAtomically(folder + "/" + name, std::string(4096, 'x')));
    for (const std::string& name : kept)
        ASSERT_TRUE(WriteFileAtomically(folder + "/" + name, "someone else's"));
    const std::string folderLike = "project.opf.tmp" + ended + "-2";
    ASSERT_EQ(mkdir((folder + "/" + folderLike).c_str(), 0755), 0);

    ASSERT_TRUE(WriteFileAtomically(folder + "/project.opf", "saved"));

    for (const std::string& name : removed)
        EXPECT_FALSE(std::filesystem::exists(folder + "/" + name)) << name;
    for (const std::string& name : kept)
        EXPECT_EQ(ReadTestFile(folder + "/" + name), std::optional<std::string>("someone else's")) << name;
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/" + folderLike));
    EXPECT_EQ(ReadTestFile(folder + "/project.opf"), std::optional<std::string>("saved"));
}
