#include "base/ProgramPaths.h"

#include "base/GbkText.h"

#include <QCoreApplication>
#include <stdexcept>

namespace {

std::string& Folder()
{
    static std::string folder;
    return folder;
}

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string DeviceFile(const std::string& folder, std::string_view gbkName, const char* suffix)
{
    if (!IsSafeDeviceName(gbkName))
        throw std::invalid_argument("unsafe device name");
    return folder + Utf8FromGbk(gbkName) + suffix;
}

} // namespace

const std::string& ProgramFolder()
{
    if (Folder().empty())
        Folder() = WithSlash(QCoreApplication::applicationDirPath().toStdString());
    return Folder();
}

void SetProgramFolder(std::string folder)
{
    Folder() = WithSlash(std::move(folder));
}

bool IsSafeDeviceName(std::string_view gbkName)
{
    if (gbkName.empty() || gbkName == "." || gbkName == "..")
        return false;
    // Checked on the decoded text: 0x5C can be the trail byte of a GBK
    // character and is no backslash there.
    const QString name = QStringFromGbk(gbkName);
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

std::string DeviceFolder() { return ProgramFolder() + "Device/"; }
std::string PresetTextFolder() { return ProgramFolder() + "PreSetDText/"; }
std::string PresetRegisterFolder() { return ProgramFolder() + "PreSetReg/"; }
std::string ProtocolFolder() { return ProgramFolder() + "Protocol/"; }

std::string DeviceTablePath(std::string_view gbkName)
{
    return DeviceFile(DeviceFolder(), gbkName, "Communication.add");
}

std::string PresetTextPath(std::string_view gbkName)
{
    return DeviceFile(PresetTextFolder(), gbkName, "PreSetDText.psd");
}

std::string PresetRegisterPath(std::string_view gbkName)
{
    return DeviceFile(PresetRegisterFolder(), gbkName, "PreSetReg.psd");
}
