#include "model/projectfile/ProjectOpenFailure.h"

#include "StringIds.h"
#include "base/StringTable.h"
#include "base/GbkText.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reason's line (UTF-8).
const char* ReasonText(ProjectOpenFailure failure)
{
    switch (failure) {
    case ProjectOpenFailure::Missing: return "文件不存在。";
    case ProjectOpenFailure::NoPermission: return "没有读取这个文件的权限。";
    case ProjectOpenFailure::NotAFile: return "这是文件夹或设备, 不是工程文件。";
    case ProjectOpenFailure::ReadError: return "读取文件时出错。";
    case ProjectOpenFailure::NotAProjectFile: return "不是工程文件。";
    }
    return "";
}

} // namespace

ProjectOpenFailure UnreadableFileFailure(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == EACCES ? ProjectOpenFailure::NoPermission : ProjectOpenFailure::Missing;
    if (!S_ISREG(info.st_mode))
        return ProjectOpenFailure::NotAFile;
    // open() rather than access(): the effective user decides, as it did
    // for the read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? ProjectOpenFailure::NoPermission : ProjectOpenFailure::ReadError;
    ::close(fd);
    return ProjectOpenFailure::ReadError;
}

bool StartsAsProjectFile(std::string_view bytes)
{
    if (bytes.empty())
        return false;
    const std::size_t length = static_cast<unsigned char>(bytes[0]);
    if (length < 1 || length > 9 || bytes.size() < 1 + length)
        return false;
    const std::string_view version = bytes.substr(1, length);
    return std::all_of(version.begin(), version.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ProjectOpenFailureText(const std::string& path, ProjectOpenFailure failure)
{
    return StringGbk(IdsSaveOrOpenFailed) + '\n' + GbkFromUtf8(path) + '\n' + GbkFromUtf8(ReasonText(failure));
}
