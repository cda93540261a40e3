#include "base/FileTooLargeMessage.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"

namespace {

void ShowFileTooLarge(const std::string& path)
{
    CurrentUi().ShowMessageText(GbkFromUtf8(path) + StringGbk(IdsFileTooLarge), MbOk | MbIconWarning);
}

} // namespace

FileContents ReadBoundedFileWithMessage(const std::string& path, std::uint64_t maxBytes)
{
    FileContents file = ReadBoundedFile(path, maxBytes);
    if (file.status == FileContents::Status::TooLarge)
        ShowFileTooLarge(path);
    return file;
}
