#include "base/FileIo.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
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

// The file a write to `path` replaces: the target of a symbolic link, so
// that the link stays.
std::string WriteTarget(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved))
            return resolved;
    }
    return path;
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
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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
    const std::string target = WriteTarget(path);
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
