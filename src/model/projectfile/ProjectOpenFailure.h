#pragma once

#include <string>
#include <string_view>

// Why a project file did not open, told to the user with the file's path
// after IdsSaveOrOpenFailed "保存或打开文件出错!".
enum class ProjectOpenFailure {
    Missing,         // no such file (or folder on its path)
    NoPermission,    // the user may not read it
    NotAFile,        // a folder, a device or a pipe under the name
    ReadError,       // it opened but reading it failed
    NotAProjectFile, // it was read but does not start as a project file
};

// The failure of a file that whole-file reading refused (not for its size).
ProjectOpenFailure UnreadableFileFailure(const std::string& path);

// Whether `bytes` start as every project file does: the version field, a
// length of 1 to 9 followed by that many decimal digits.
bool StartsAsProjectFile(std::string_view bytes);

// The message (GBK): IdsSaveOrOpenFailed, then the path and the reason on
// lines of their own.
std::string ProjectOpenFailureText(const std::string& path, ProjectOpenFailure failure);
