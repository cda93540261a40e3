#include "transfer/PortOpenReport.h"

#include "StringIds.h"
#include "StringTable.h"
#include "base/GbkText.h"
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

} // namespace

void ReportPortOpenFailure(const CSerial& port, UserInterface& ui)
{
    if (port.LastOpenError() != PortOpenError::PermissionDenied) {
        ui.ShowMessage(IdsPortOpenFailed);
        return;
    }
    const QString hint = QStringLiteral("\n没有权限打开 %1: 请把当前用户加入组 \"%2\" 后重新登录。")
                             .arg(port.DevicePath(), OwningGroup(port.DevicePath()));
    ui.ShowMessageText(StringGbk(IdsPortOpenFailed) + GbkFromQString(hint));
}
