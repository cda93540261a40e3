#include "base/FileIo.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closes now; false when the close reports an error (a write that
    // the system only now found it could not complete).
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Opens a regular file for reading; -1 for anything else. O_NONBLOCK keeps
// the open of a FIFO from waiting for a writer.
int OpenRegularFile(const std::string& path, struct stat& info)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads into `buffer` from `used` on until it is full or the file ends;
// the count of bytes it then holds, nothing on a read error.
std::optional<std::size_t> Fill(int fd, std::string& buffer, std::size_t used)
{
    while (used < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + used, buffer.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    return used;
}

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const std::size_t piece = std::min<std::size_t>(data.size(), 1u << 30);
        const ssize_t n = ::write(fd, data.data(), piece);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The folder part of `path`: "." for a bare name, "/" for a file in the root.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to `path` replaces: the end of a chain of symbolic links,
// so that the links stay. A link whose end is missing leads to the missing
// file, which the write creates. Nothing when a link cannot be read or the
// chain does not end.
std::optional<std::string> WriteTarget(const std::string& path)
{
    constexpr int kMostLinks = 40; // as the system follows them
    std::string target = path;
    for (int link = 0; link <= kMostLinks; ++link) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        char text[PATH_MAX];
        const ssize_t length = ::readlink(target.c_str(), text, sizeof text);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof text)
            return std::nullopt;
        const std::string to(text, static_cast<std::size_t>(length));
        target = to.front() == '/' ? to : FolderOf(target) + "/" + to;
    }
    return std::nullopt;
}

// Whether the effective user may write `path` by its permission bits. The
// system lets root write anything; a file or folder that grants nobody
// write is still taken as write-protected then, as root's own tools do.
bool UserMayWrite(const std::string& path, const struct stat& info)
{
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    return ::geteuid() != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// Whether a write may put a new file at `target` (no link): the folder takes
// new files from the user, and what stands there now is missing or a regular
// file the user may write. A device, a FIFO or a folder is never replaced.
bool MayReplace(const std::string& target)
{
    const std::string folder = FolderOf(target);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || !UserMayWrite(folder, info))
        return false;
    if (::lstat(target.c_str(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode) && UserMayWrite(target, info);
}

// The process id in `text` when it is "<pid>-<n>", the end of a temporary
// file's name.
std::optional<pid_t> TemporaryWriterOf(std::string_view text)
{
    const char* const end = text.data() + text.size();
    pid_t pid = 0;
    unsigned long counter = 0;
    const auto [dash, pidError] = std::from_chars(text.data(), end, pid);
    if (pidError != std::errc() || pid <= 0 || dash == end || *dash != '-' || dash + 1 == end)
        return std::nullopt;
    const auto [last, counterError] = std::from_chars(dash + 1, end, counter);
    if (counterError != std::errc() || last != end)
        return std::nullopt;
    return pid;
}

// Removes the temporary files that writes of `target` by processes now gone
// left beside it ("NAME.tmp<pid>-<n>", see CreateTemporaryBeside), such as
// a save killed part way. A live process's temporary is its write in
// progress and stays; so does every other file, and anything not a regular
// file.
void RemoveLeftoverTemporaries(const std::string& target)
{
    const std::string prefix = NameOf(target) + ".tmp";
    DIR* folder = ::opendir(FolderOf(target).c_str());
    if (!folder)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix))
            continue;
        const std::optional<pid_t> writer = TemporaryWriterOf(name.substr(prefix.size()));
        struct stat info {};
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH
            && ::fstatat(::dirfd(folder), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

// A new temporary file beside `target`, created with the mode a new file
// gets (the umask applies); -1 when the folder takes no new file. The
// process id and the counter keep live writers apart; a name left behind by
// an earlier process of the same id is passed over.
int CreateTemporaryBeside(const std::string& target, std::string& temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Makes the rename reach the disk as well; a folder that cannot be synced
// still holds the new file, so this is best effort.
void SyncFolderOf(const std::string& target)
{
    FileDescriptor fd(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

} // namespace

FileContents ReadBoundedFile(const std::string& path, std::uint64_t maxBytes)
{
    FileContents result;
    struct stat info {};
    FileDescriptor fd(OpenRegularFile(path, info));
    if (fd.Get() < 0)
        return result;
    const std::uint64_t limit = std::min<std::uint64_t>(maxBytes, result.bytes.max_size() - 1);
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
        result.status = FileContents::Status::TooLarge;
        return result;
    }
    // One byte more than the size read, to see a file that grew meanwhile.
    std::string& bytes = result.bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        const std::optional<std::size_t> filled = Fill(fd.Get(), bytes, used);
        if (!filled) {
            bytes.clear();
            return result;
        }
        used = *filled;
        if (used < bytes.size())
            break;
        if (used > limit) {
            result.status = FileContents::Status::TooLarge;
            bytes.clear();
            return result;
        }
        bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(limit + 1, used * 2)));
    }
    bytes.resize(used);
    result.status = FileContents::Status::Read;
    return result;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t maxBytes)
{
    FileContents file = ReadBoundedFile(path, maxBytes);
    if (!file.IsRead())
        return std::nullopt;
    return std::move(file.bytes);
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count)
{
    struct stat info {};
    FileDescriptor fd(OpenRegularFile(path, info));
    if (fd.Get() < 0)
        return std::nullopt;
    std::string bytes(count, '\0');
    const std::optional<std::size_t> used = Fill(fd.Get(), bytes, 0);
    if (!used)
        return std::nullopt;
    bytes.resize(*used);
    return bytes;
}

bool IsReadableFile(const std::string& path)
{
    struct stat info {};
    const FileDescriptor fd(OpenRegularFile(path, info));
    return fd.Get() >= 0;
}

bool WriteFileAtomically(const std::string& path, std::string_view data)
{
    const std::optional<std::string> resolved = WriteTarget(path);
    if (!resolved || !MayReplace(*resolved))
        return false;
    const std::string& target = *resolved;
    RemoveLeftoverTemporaries(target);
    std::string temporary;
    FileDescriptor fd(CreateTemporaryBeside(target, temporary));
    if (fd.Get() < 0)
        return false;
    // A replaced file keeps its permissions; where they cannot be given, the
    // new file keeps the default ones.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(fd.Get(), old.st_mode & 07777);
    const bool written = WriteAll(fd.Get(), data) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}
