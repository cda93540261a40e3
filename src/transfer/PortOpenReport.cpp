#include "transfer/PortOpenReport.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/StringTable.h"
#include "base/UserInterface.h"
#include "transfer/Serial.h"

#include <QFile>

#include <grp.h>
#include <sys/stat.h>

namespace {

// The name of the group that owns `path`; empty when unknown.
QString OwningGroup(const QString& path)
{
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    const group* owner = ::getgrgid(info.st_gid);
    return owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(info.st_gid);
}

// The line that names the device and the reason.
QString FailureDetail(const CSerial& port)
{
    const QString device = port.DevicePath();
    switch (port.LastOpenError()) {
    case PortOpenError::NotFound:
        if (device.isEmpty())
            return QStringLiteral("%1 没有对应的串口设备。").arg(port.PortName());
        return QStringLiteral("找不到设备 %1。").arg(device);
    case PortOpenError::Busy:
        return QStringLiteral("%1 正被其他程序使用。").arg(device);
    case PortOpenError::PermissionDenied:
        return QStringLiteral("没有权限打开 %1: 请把当前用户加入组 \"%2\" 后重新登录。").arg(device, OwningGroup(device));
    case PortOpenError::Unsupported:
        return QStringLiteral("%1 不支持所设的通信参数。").arg(device);
    default:
        return QStringLiteral("无法打开 %1。").arg(device);
    }
}

} // namespace

void ReportPortOpenFailure(const CSerial& port, UserInterface& ui)
{
    ui.ShowMessageText(StringGbk(IdsPortOpenFailed) + GbkFromQString(QLatin1Char('\n') + FailureDetail(port)));
}
